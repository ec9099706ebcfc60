#pragma once

#include <QCoreApplication>
#include <QString>

class QEvent;
class QGroupBox;
class QLabel;
class QObject;
class QSpinBox;
class QWidget;

namespace Kova {

// The pieces the stage and screen property panels build their forms from.
class KvPropertyForm
{
    Q_DECLARE_TR_FUNCTIONS(KvPropertyForm)
public:
    static constexpr int PositionLimit = 16777215;
    static constexpr int SizeLimit = 16777215;

    // A right-aligned spin box at 0.
    static QSpinBox* createSpinBox(const QString& objectName, int minimum, int maximum,
                                   QWidget* parent);
    static QLabel* createLabel(const QString& objectName, const QString& text, QWidget* parent);
    // "Position": X ("spinBox_Left") and Y ("spinBox_Top") within ±PositionLimit.
    static QGroupBox* createPositionGroup(QWidget* parent, QSpinBox** left, QSpinBox** top);
    // "Size": W ("spinBox_Width") and H ("spinBox_Height") within 0 … SizeLimit.
    static QGroupBox* createSizeGroup(QWidget* parent, QSpinBox** width, QSpinBox** height);
    // For a panel's event filter: a wheel turned over a spin box that does not have the
    // focus scrolls the panel instead of changing the value. True when the event was such a
    // wheel (it is then ignored, so it goes on to the scroll area).
    static bool isStrayWheel(QObject* watched, QEvent* event);
};

} // namespace Kova
