#include "kveventaction.h"

namespace Kova {

QString KvEventAction::toString(Actions action)
{
    switch (action) {
    case GotoNext:
        return QStringLiteral("GotoNext");
    case GotoFirst:
        return QStringLiteral("GotoFirst");
    case Stop:
        return QStringLiteral("Stop");
    case Repeat:
        return QStringLiteral("Repeat");
    case None:
        break;
    }
    return QStringLiteral("None");
}

KvEventAction::Actions KvEventAction::toAction(const QString& text)
{
    static const Actions all[] = {GotoNext, GotoFirst, Stop, Repeat};
    for (Actions action : all) {
        if (text.compare(toString(action), Qt::CaseInsensitive) == 0)
            return action;
    }
    return None;
}

} // namespace Kova
