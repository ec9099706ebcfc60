#include "kvlineedit.h"

namespace Kova {

KvLineEdit::KvLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAcceptDrops(true);
}
void KvLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    QLineEdit::dragEnterEvent(event);
}
void KvLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    QLineEdit::dragMoveEvent(event);
}
void KvLineEdit::dragLeaveEvent(QDragLeaveEvent* event)
{
    QLineEdit::dragLeaveEvent(event);
}
void KvLineEdit::dropEvent(QDropEvent* event)
{
    QLineEdit::dropEvent(event);
}

} // namespace Kova
