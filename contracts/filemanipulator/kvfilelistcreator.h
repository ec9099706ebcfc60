#pragma once

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

namespace Kova {

// The types in which the file manipulator hands over the files it handled.
class KvFileListCreator
{
public:
    // first: the source path, second: the destination path (empty when the file was deleted
    // without a trash). Paths are absolute, with '/' separators.
    using PathPair = QPair<QString, QString>;
};

} // namespace Kova

Q_DECLARE_METATYPE(QList<Kova::KvFileListCreator::PathPair>*)
