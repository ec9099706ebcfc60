#include "kvplayerwebview.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QtGlobal>

namespace Kova {

namespace {

// The start of a file is enough for a shortcut's address or a page's title.
const qint64 headBytes = 64 * 1024;

void logOnce()
{
    static bool logged = false;
    if (!logged) {
        logged = true;
        qInfo("kvplayer: no web browser engine; web pages are shown as their address");
    }
}

} // namespace

KvPlayerWebView::KvPlayerWebView(const QString& filePath, QWidget* parent)
    : KvPlayerCardView(QString(), QString(), parent)
{
    logOnce();
    const QUrl address(filePath);
    if (address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https")) {
        setTexts(address.host(), address.toString());
        return;
    }
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        QTimer::singleShot(0, this, &KvPlayerMediaView::failed);
        return;
    }
    const QString head = QString::fromUtf8(file.read(headBytes));
    const QFileInfo info(filePath);
    if (info.suffix().compare(QLatin1String("url"), Qt::CaseInsensitive) == 0) {
        const QRegularExpression urlLine(QStringLiteral("^\\s*URL\\s*=\\s*(\\S+)"),
                                         QRegularExpression::MultilineOption |
                                             QRegularExpression::CaseInsensitiveOption);
        const QUrl target(urlLine.match(head).captured(1));
        const QString host = target.host();
        setTexts(host.isEmpty() ? info.completeBaseName() : host, target.toString());
        return;
    }
    const QRegularExpression titleTag(QStringLiteral("<title[^>]*>([^<]*)</title>"),
                                      QRegularExpression::CaseInsensitiveOption);
    const QString title = titleTag.match(head).captured(1).simplified();
    setTexts(title.isEmpty() ? info.completeBaseName() : title, info.fileName());
}

KvPlayerWebView::~KvPlayerWebView() = default;

} // namespace Kova
