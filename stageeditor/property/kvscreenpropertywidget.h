#pragma once

#include "graphicstype.h"
#include "playertype.h"
#include "screentype.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QPointF>
#include <QRectF>
#include <QScrollArea>
#include <QSizeF>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace Kova {

class KvCheckBox;
class KvColorWidget;
class KvFlowLayout;
class KvScreen;

// Content of the screen property dock: the properties of the selected screens, one
// screen or several at once. It never changes a screen itself; every edit goes out as
// a signal that the editor turns into a canvas change or an undoable screen command.
class KvScreenPropertyWidget : public QScrollArea
{
    Q_OBJECT
public:
    explicit KvScreenPropertyWidget(QWidget* parent = nullptr);
    ~KvScreenPropertyWidget() override;

    QList<KvScreen*> screens() const { return m_screens; }

signals:
    void idValueChanged(int id);
    void typeValueChanged(ScreenType::ScreenTypes type);
    void backgroundColorValueChanged(QColor color);
    void backgroundImageValueChanged(QString imageName);
    void lockedValueChanged(bool checked);
    void graphicsTypeValueChanged(GraphicsType::GraphicsTypes gt);
    void moviePlayerTypeValueChanged(PlayerType::PlayerTypes pt);
    void flashPlayerTypeValueChanged(PlayerType::PlayerTypes pt);
    void webBrowserTypeValueChanged(PlayerType::PlayerTypes pt);
    void positionValueChanged(QPointF pos);
    void sizeValueChanged(QSizeF size);
    void positionValueChangingCommitted();
    void sizeValueChangingCommitted();
    void nameValueChanged(QString& name);
    void nameValueChangingFinished(QString name);

public slots:
    void onScreenSelectionChanged(QList<KvScreen*> screens);
    void onNameValueChanged(QString name);
    void onNameValueEdittingFinished();
    void onBackgroundColorValueChanged(QColor newColor, QColor oldColor);
    void onBackgroundImageValueChanged(QString imageName);
    void onLockedValueChanged(int state);
    // Feedback from the canvas while the selection is moved or resized there.
    void onPositionAndSizeValueChanged(QRectF rect);
    void onGraphicsTypeValueChanged(int state);
    void onMoviePlayerTypeValueChanged(int state);
    void onFlashPlayerTypeValueChanged(int state);
    void onWebBrowserTypeValueChanged(int state);
    void onSpinBoxPositionValueChanged(int);
    void onSpinBoxSizeValueChanged(int);
    void onSpinBoxPositionValueEdittingFinished();
    void onSpinBoxSizeValueEdittingFinished();
    // Refreshes the panel from the selected screens (after a command changed them).
    void updateValues();
    void updateGraphicsTypeValue(QMap<KvScreen*, GraphicsType::GraphicsTypes>& map);
    void updateOptionCheckBoxPlayerType(QCheckBox* box,
                                        QMap<KvScreen*, PlayerType::PlayerTypes>& map);
    void updateMoviePlayerTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>& map);
    void updateFlashPlayerTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>& map);
    void updateWebBrowserTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>& map);

protected:
    // The wheel over a spin box without the focus scrolls the panel instead of changing
    // the value, which would move the canvas with nothing committed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupForm();
    bool isUpdating();
    void setUpdating(bool updating);
    void clearValues();
    void updateOneScreen(KvScreen* screen);
    void updateScreens(const QList<KvScreen*>& screens);
    void applyEnableState(int screenType);
    void setPropertyContentAreaEnabled(bool enabled);

    // The form.
    QWidget* m_contents = nullptr;
    KvFlowLayout* m_flowLayout = nullptr;
    QWidget* m_typeAndName = nullptr;
    QLabel* m_labelScreenType = nullptr;
    QLabel* m_labelScreenId = nullptr;
    QLabel* m_labelName = nullptr;
    QLineEdit* m_lineEditName = nullptr;
    QWidget* m_bkColorAndLocked = nullptr;
    QLabel* m_labelBackgroundColor = nullptr;
    KvColorWidget* m_colorWidget = nullptr;
    KvCheckBox* m_checkBoxLocked = nullptr;
    QGroupBox* m_groupBoxPosition = nullptr;
    QSpinBox* m_spinBoxLeft = nullptr;
    QSpinBox* m_spinBoxTop = nullptr;
    QGroupBox* m_groupBoxSize = nullptr;
    QSpinBox* m_spinBoxWidth = nullptr;
    QSpinBox* m_spinBoxHeight = nullptr;
    QGroupBox* m_groupBoxOption = nullptr;
    KvCheckBox* m_checkBoxGraphicsType = nullptr;
    KvCheckBox* m_checkBoxWebBrowserType = nullptr;
    KvCheckBox* m_checkBoxMoviePlayerType = nullptr;

    QMutex m_updatingMutex;
    bool m_updating = false;
    QMutex m_rectMutex;
    bool m_nameFinishing = false;
    // A value typed into the position / size boxes that has not been committed yet. The
    // boxes also finish editing when they merely lose the focus; only a typed change is
    // committed.
    bool m_positionEdited = false;
    bool m_sizeEdited = false;
    QList<KvScreen*> m_screens; // not owned
};

} // namespace Kova
