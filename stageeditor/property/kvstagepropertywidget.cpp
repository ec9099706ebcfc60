#include "kvstagepropertywidget.h"

namespace Kova {

KvStagePropertyWidget::KvStagePropertyWidget(QWidget* parent)
    : QScrollArea(parent)
{
}
KvStagePropertyWidget::~KvStagePropertyWidget() = default;
void KvStagePropertyWidget::onCurrentStageChanged(KvStage* stage)
{
    m_stage = stage;
}
void KvStagePropertyWidget::setPropertyContentAreaEnabled(bool)
{
}
void KvStagePropertyWidget::on_checkBox_UseDesktopSize_stateChanged(int)
{
}
void KvStagePropertyWidget::onColorPickerWidgetColorChanged(QColor)
{
}
void KvStagePropertyWidget::on_spinBox_Width_valueChanged(int)
{
}
void KvStagePropertyWidget::on_spinBox_Height_valueChanged(int)
{
}
void KvStagePropertyWidget::on_spinBox_Width_editingFinished()
{
}
void KvStagePropertyWidget::on_spinBox_Height_editingFinished()
{
}
void KvStagePropertyWidget::on_spinBox_Top_editingFinished()
{
}
void KvStagePropertyWidget::on_spinBox_Left_editingFinished()
{
}
void KvStagePropertyWidget::on_checkBox_AutomaticAdjustment_stateChanged(int)
{
}
void KvStagePropertyWidget::on_checkBox_BackgroundImage_clicked(bool)
{
}
void KvStagePropertyWidget::onLineEditBackgroundImageDragEntered()
{
}
void KvStagePropertyWidget::onLineEditBackgroundImageDragLeaved()
{
}
void KvStagePropertyWidget::onLineEditBackgroundImageDropped(QString)
{
}
void KvStagePropertyWidget::showMessageBackgroundImageFailed(QString)
{
}

} // namespace Kova
