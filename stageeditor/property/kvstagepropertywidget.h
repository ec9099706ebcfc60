#pragma once

#include <QColor>
#include <QPointF>
#include <QPointer>
#include <QScrollArea>
#include <QSizeF>
#include <QString>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace Kova {

class KvColorWidget;
class KvFlowLayout;
class KvLineEdit;
class KvStage;

// Content of the stage property dock: the current stage's name, background colour and
// image, position, size and resize options. It never changes the stage itself; every
// edit goes out as a signal that the editor turns into a canvas change or an undoable
// stage command.
class KvStagePropertyWidget : public QScrollArea
{
    Q_OBJECT
public:
    explicit KvStagePropertyWidget(QWidget* parent = nullptr);
    ~KvStagePropertyWidget() override;

    KvStage* currentStage() const { return m_stage; }

signals:
    void stageBackColorPicked(QColor color);
    void stageSizeValueChanged(QSizeF size);
    void stageSizeValueChangingCommitted(QSizeF size);
    void stagePosValueChangingCommitted(QPointF pos);
    void stageBackImageValueChanged(QString name);
    void stageOptionValueChanged(uint options);
    void openStageBackImagePicker();
    void requestShowBackgroundImageFailed(QString fileName);

public slots:
    // Shows the stage (null: clears and disables the panel). Also the refresh after a
    // stage command.
    void onCurrentStageChanged(KvStage* stage);
    void setPropertyContentAreaEnabled(bool enabled);

private slots:
    void on_checkBox_UseDesktopSize_stateChanged(int state);
    void onColorPickerWidgetColorChanged(QColor color);
    void on_spinBox_Width_valueChanged(int);
    void on_spinBox_Height_valueChanged(int);
    void on_spinBox_Width_editingFinished();
    void on_spinBox_Height_editingFinished();
    void on_spinBox_Top_editingFinished();
    void on_spinBox_Left_editingFinished();
    void on_checkBox_AutomaticAdjustment_stateChanged(int state);
    void on_checkBox_BackgroundImage_clicked(bool checked);
    void onLineEditBackgroundImageDragEntered();
    void onLineEditBackgroundImageDragLeaved();
    void onLineEditBackgroundImageDropped(QString fileUrl);
    void showMessageBackgroundImageFailed(QString fileName);

protected:
    // The wheel over a spin box without the focus scrolls the panel instead of changing
    // the value, which would resize the stage on the canvas with nothing committed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupForm();
    void updateValues();
    void clearValues();
    void showBackgroundImage(const QString& name);
    void setDropHighlight(bool on);
    void updateAutomaticAdjustmentEnabled();
    uint currentOptions() const;
    QSizeF currentSize() const;

    // The form.
    QWidget* m_contents = nullptr;
    KvFlowLayout* m_flowLayout = nullptr;
    QLabel* m_labelName = nullptr;
    QLabel* m_labelBackgroundColor = nullptr;
    KvColorWidget* m_colorWidget = nullptr;
    QCheckBox* m_checkBoxBackgroundImage = nullptr;
    QLabel* m_labelBkImageNone = nullptr;
    QFrame* m_outerLineEdit = nullptr;
    KvLineEdit* m_lineEditBackgroundImage = nullptr;
    QGroupBox* m_groupBoxPosition = nullptr;
    QSpinBox* m_spinBoxLeft = nullptr;
    QSpinBox* m_spinBoxTop = nullptr;
    QGroupBox* m_groupBoxSize = nullptr;
    QSpinBox* m_spinBoxWidth = nullptr;
    QSpinBox* m_spinBoxHeight = nullptr;
    QGroupBox* m_groupBoxResizeOption = nullptr;
    QCheckBox* m_checkBoxUseDesktopSize = nullptr;
    QLabel* m_labelUseDesktopSize = nullptr;
    QCheckBox* m_checkBoxAutomaticAdjustment = nullptr;
    QLabel* m_labelAutomaticAdjustment = nullptr;

    KvStage* m_stage = nullptr; // not owned
    bool m_updating = false;
    // The missing background image last reported, so one missing file gives one box
    // however often the panel refreshes.
    QPointer<KvStage> m_reportedStage;
    QString m_reportedImage;
    bool m_showingBox = false;
};

} // namespace Kova
