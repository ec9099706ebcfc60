#include "kvdockwidget.h"

namespace Kova {

KvDockWidget::KvDockWidget(const QString& title, QWidget* parent, Qt::WindowFlags flags)
    : QDockWidget(title, parent, flags)
{
    connect(this, &QDockWidget::topLevelChanged, this, &KvDockWidget::floatingChanged);
}

KvDockWidget::KvDockWidget(QWidget* parent, Qt::WindowFlags flags)
    : QDockWidget(parent, flags)
{
    connect(this, &QDockWidget::topLevelChanged, this, &KvDockWidget::floatingChanged);
}

void KvDockWidget::setDockedSize(int width, int height)
{
    m_preMinimumSize = minimumSize();
    m_preMaximumSize = maximumSize();
    if (width >= 0) {
        if (this->width() >= width)
            setMaximumWidth(width);
        else
            setMinimumWidth(width);
    }
    if (height >= 0) {
        if (this->height() >= height)
            setMaximumHeight(height);
        else
            setMinimumHeight(height);
    }
}

void KvDockWidget::restorePreDockedSize()
{
    if (m_preMinimumSize.isValid())
        setMinimumSize(m_preMinimumSize);
    if (m_preMaximumSize.isValid())
        setMaximumSize(m_preMaximumSize);
}

void KvDockWidget::floatingChanged(bool floating)
{
    emit dockFloatingChanged(this, floating);
}

} // namespace Kova
