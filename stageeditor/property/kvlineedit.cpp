#include "kvlineedit.h"

#include "kveditorcommon.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace Kova {

namespace {

// The library's own URI payload is preferred; a plain URL list (a drag from the
// desktop) is taken as well.
bool hasUriData(const QMimeData* data)
{
    return data && (data->hasFormat(KvEditorCommon::MIME_TYPE_URI) || data->hasUrls());
}

QStringList uriEntries(const QMimeData* data)
{
    QStringList entries;
    if (!data)
        return entries;
    if (data->hasFormat(KvEditorCommon::MIME_TYPE_URI)) {
        const QString text = QUrl::fromPercentEncoding(data->data(KvEditorCommon::MIME_TYPE_URI));
        const QStringList parts = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (const QString& part : parts) {
            if (!part.trimmed().isEmpty())
                entries.append(part);
        }
        return entries;
    }
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (!url.isEmpty())
            entries.append(url.toString());
    }
    return entries;
}

} // namespace

KvLineEdit::KvLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAcceptDrops(true);
}

void KvLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!hasUriData(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dragEntered();
}

void KvLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (hasUriData(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void KvLineEdit::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
    emit dragLeaved();
}

void KvLineEdit::dropEvent(QDropEvent* event)
{
    const QStringList entries = uriEntries(event->mimeData());
    if (entries.isEmpty()) {
        event->ignore();
        // Nothing usable: the drag is over all the same.
        emit dragLeaved();
        return;
    }
    event->acceptProposedAction();
    emit dropped(entries.first());
}

} // namespace Kova
