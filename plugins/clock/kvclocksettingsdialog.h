#pragma once

#include "kvclockstate.h"

#include <QDialog>

class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace Kova {

// Edits the state of a clock screen: format, time zone, font, size and colours, with a
// sample of the text as it would show now.
class KvClockSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvClockSettingsDialog(const KvClockState& state, QWidget* parent = nullptr);
    ~KvClockSettingsDialog() override;

    // The state as edited.
    KvClockState state() const;

private:
    void chooseColor(QColor* color, QPushButton* button);
    void showColor(QPushButton* button, const QColor& color);
    void updateSample();

    QColor m_textColor;
    QColor m_backgroundColor;
    QFont m_font;
    QLineEdit* m_formatEdit = nullptr;
    QComboBox* m_timeZoneBox = nullptr;
    QFontComboBox* m_fontBox = nullptr;
    QSpinBox* m_sizeBox = nullptr;
    QPushButton* m_textColorButton = nullptr;
    QPushButton* m_backgroundColorButton = nullptr;
    QLabel* m_sample = nullptr;
};

} // namespace Kova
