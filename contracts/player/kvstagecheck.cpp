#include "kvstagecheck.h"

#include "kvplayrules.h"

#include <kvevent.h>
#include <kvmedia.h>
#include <kvscreen.h>
#include <kvstage.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QSet>

namespace Kova {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Kova::KvStageCheck", text);
}

QString screenText(const KvScreen& screen)
{
    return tr("screen \"%1\" (id %2)").arg(screen.name()).arg(screen.id());
}

QString eventText(int type)
{
    switch (type) {
    case KvEvent::ContentStart:
        return tr("content start");
    case KvEvent::ContentEnd:
        return tr("content end");
    default:
        return tr("event type %1").arg(type);
    }
}

bool raises(const KvScreen& screen, int type)
{
    for (const KvEvent& event : screen.raiseEventList()) {
        if (event.type() == type) {
            return true;
        }
    }
    return false;
}

bool listened(const KvStage& stage, const KvScreen& raiser, int type)
{
    for (const KvScreen* screen : stage.screenList()) {
        if (screen == &raiser) {
            continue;
        }
        for (const KvEvent& wait : screen->waitEventList()) {
            if (wait.type() == type && wait.screenId() == raiser.id()) {
                return true;
            }
        }
    }
    return false;
}

// Problems that concern one path, with the media that use it, in the order first met.
class PathProblems
{
public:
    void add(const QString& kind, const QString& path, const QString& user)
    {
        const QString key = kind + QLatin1Char('\n') + path;
        if (!m_users.contains(key)) {
            m_order.append(key);
        }
        m_users[key].append(user);
    }
    void appendTo(QStringList& lines) const
    {
        for (const QString& key : m_order) {
            const int split = key.indexOf(QLatin1Char('\n'));
            lines.append(tr("%1: %2 (used by %3)")
                             .arg(key.left(split), key.mid(split + 1),
                                  m_users.value(key).join(QStringLiteral(", "))));
        }
    }

private:
    QStringList m_order;
    QMap<QString, QStringList> m_users;
};

} // namespace

QStringList KvStageCheck::problems(const KvStage& stage, const QString& dataDir)
{
    QStringList lines;
    PathProblems paths;
    const QRectF stageArea(0, 0, stage.rect().width(), stage.rect().height());

    if (!stage.backgroundImage().isEmpty()) {
        const QString path = KvPlayRules::absolutePath(stage.backgroundImage(), dataDir);
        if (!QFileInfo(path).isFile()) {
            paths.add(tr("missing file"), path, tr("the stage background"));
        }
    }

    for (const KvScreen* screen : stage.screenList()) {
        const QString name = screenText(*screen);
        if (screen->mediaList().isEmpty() && screen->type() != ScreenType::Extended) {
            lines.append(tr("%1 has no media").arg(name));
        }
        const QRectF r = screen->rect();
        // Compared edge by edge: QRectF::contains refuses an empty rectangle.
        if (r.left() < 0 || r.top() < 0 || r.right() > stageArea.right() ||
            r.bottom() > stageArea.bottom()) {
            lines.append(tr("%1 reaches outside the stage: %2,%3 %4x%5 on a %6x%7 stage")
                             .arg(name)
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height())
                             .arg(stageArea.width())
                             .arg(stageArea.height()));
        }
        for (int i = 0; i < screen->mediaList().count(); ++i) {
            const KvMedia& media = *screen->mediaList().at(i);
            const QString user = tr("%1 medium %2").arg(name).arg(i + 1);
            const QString path = KvPlayRules::absolutePath(media.uri(), dataDir);
            if (!KvPlayRules::isPlayableType(media.mediaType())) {
                lines.append(tr("%1 has an unknown media type: %2")
                                 .arg(user, media.uri().isEmpty() ? media.name() : media.uri()));
                continue;
            }
            if (!KvPlayRules::needsFile(media)) {
                continue;
            }
            if (media.mediaType() == MediaType::Folder) {
                if (!QFileInfo(path).isDir()) {
                    paths.add(tr("missing folder"), path, user);
                } else if (KvPlayRules::folderFiles(path).isEmpty()) {
                    paths.add(tr("folder without a playable file"), path, user);
                }
            } else if (!QFileInfo(path).isFile()) {
                paths.add(tr("missing file"), path, user);
            }
        }

        QSet<int> raisedTypes;
        for (const KvEvent& event : screen->raiseEventList()) {
            if (raisedTypes.contains(event.type())) {
                continue;
            }
            raisedTypes.insert(event.type());
            if (!listened(stage, *screen, event.type())) {
                lines.append(tr("%1 raises \"%2\" but no screen listens to it")
                                 .arg(name, eventText(event.type())));
            }
        }
        for (const KvEvent& wait : screen->waitEventList()) {
            const KvScreen* raiser = stage.getScreenObject(wait.screenId());
            if (!raiser) {
                lines.append(tr("%1 listens to \"%2\" of screen id %3, which is not in the stage")
                                 .arg(name, eventText(wait.type()))
                                 .arg(wait.screenId()));
            } else if (raiser == screen) {
                lines.append(tr("%1 listens to its own \"%2\"").arg(name, eventText(wait.type())));
            } else if (!raises(*raiser, wait.type())) {
                lines.append(tr("%1 listens to \"%2\" of %3, which does not raise it")
                                 .arg(name, eventText(wait.type()), screenText(*raiser)));
            }
        }
    }
    paths.appendTo(lines);
    // The same event listed twice in a screen's list is one problem.
    lines.removeDuplicates();
    return lines;
}

} // namespace Kova
