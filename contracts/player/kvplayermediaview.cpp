#include "kvplayermediaview.h"

namespace Kova {

KvPlayerMediaView::KvPlayerMediaView(QWidget* parent)
    : QWidget(parent)
{
}

KvPlayerMediaView::~KvPlayerMediaView() = default;

} // namespace Kova
