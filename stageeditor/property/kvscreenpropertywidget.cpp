#include "kvscreenpropertywidget.h"

namespace Kova {

KvScreenPropertyWidget::KvScreenPropertyWidget(QWidget* parent)
    : QScrollArea(parent)
{
}
KvScreenPropertyWidget::~KvScreenPropertyWidget() = default;
void KvScreenPropertyWidget::onScreenSelectionChanged(QList<KvScreen*> screens)
{
    m_screens = screens;
}
void KvScreenPropertyWidget::onNameValueChanged(QString)
{
}
void KvScreenPropertyWidget::onNameValueEdittingFinished()
{
}
void KvScreenPropertyWidget::onBackgroundColorValueChanged(QColor, QColor)
{
}
void KvScreenPropertyWidget::onBackgroundImageValueChanged(QString)
{
}
void KvScreenPropertyWidget::onLockedValueChanged(int)
{
}
void KvScreenPropertyWidget::onPositionAndSizeValueChanged(QRectF)
{
}
void KvScreenPropertyWidget::onGraphicsTypeValueChanged(int)
{
}
void KvScreenPropertyWidget::onMoviePlayerTypeValueChanged(int)
{
}
void KvScreenPropertyWidget::onFlashPlayerTypeValueChanged(int)
{
}
void KvScreenPropertyWidget::onWebBrowserTypeValueChanged(int)
{
}
void KvScreenPropertyWidget::onSpinBoxPositionValueChanged(int)
{
}
void KvScreenPropertyWidget::onSpinBoxSizeValueChanged(int)
{
}
void KvScreenPropertyWidget::onSpinBoxPositionValueEdittingFinished()
{
}
void KvScreenPropertyWidget::onSpinBoxSizeValueEdittingFinished()
{
}
void KvScreenPropertyWidget::updateValues()
{
}
void KvScreenPropertyWidget::updateGraphicsTypeValue(QMap<KvScreen*, GraphicsType::GraphicsTypes>&)
{
}
void KvScreenPropertyWidget::updateOptionCheckBoxPlayerType(
    QCheckBox*, QMap<KvScreen*, PlayerType::PlayerTypes>&)
{
}
void KvScreenPropertyWidget::updateMoviePlayerTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>&)
{
}
void KvScreenPropertyWidget::updateFlashPlayerTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>&)
{
}
void KvScreenPropertyWidget::updateWebBrowserTypeValue(QMap<KvScreen*, PlayerType::PlayerTypes>&)
{
}

} // namespace Kova
