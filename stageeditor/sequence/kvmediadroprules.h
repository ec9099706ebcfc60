#pragma once

#include <QList>
#include <QStringList>
#include <Qt>

class QGraphicsItem;
class QMimeData;

namespace Kova {

class KvMedia;
class KvScreen;

// The rules for dropping files (a list of file URLs under the editor-common URI MIME type)
// onto a screen: on a screen item of the stage canvas, or on a media item or row line of
// the sequence timeline. Both places ask the same two questions.
class KvMediaDropRules
{
public:
    // True when every file of the payload suits the screen that targetItem stands for;
    // action becomes Qt::CopyAction then, Qt::IgnoreAction otherwise (action may be null).
    static bool canDropUris(const QMimeData* mimeData, QGraphicsItem* targetItem,
                            Qt::DropAction* action);

    // New media for the files of the payload that suit the screen, in payload order. Each
    // has the screen as parent but is not in its media list yet: the caller owns them until
    // they are added. ok (may be null) is set to true.
    static QList<KvMedia*> createMediaListFromMimeData(const QMimeData* mimeData, KvScreen* screen,
                                                       bool* ok);

    // The screen a drop target item (a KvMediaDropTarget) stands for; null for any other
    // item.
    static KvScreen* targetScreenOf(QGraphicsItem* item);

    // The local file paths of the payload's lines, in order (empty lines skipped).
    static QStringList filePathsOf(const QMimeData* mimeData);

private:
    // The line rule: whether a file (or folder) passes for a screen of type targetType;
    // mediaType receives the type of the medium it becomes.
    static bool passesLineRule(const QString& path, int targetType, int* mediaType);
};

} // namespace Kova
