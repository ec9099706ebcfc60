#pragma once

#include "libraryfileoperation.h"

#include <QPair>

namespace Kova {
namespace Commands {

// Files from the clipboard put into a folder: copied, or moved when they were cut (is-cut
// flag 1). Undo deletes the copies or moves the files back.
class PasteLibraryFile : public LibraryFileOperation
{
    Q_OBJECT
public:
    PasteLibraryFile(KvStageEditor* editor, const QStringList& files, const QString& destination,
                     int isCut, QUndoCommand* parentCommand = nullptr, QObject* parent = nullptr);
    void redo() override;
    void undo() override;

public slots:
    // The manipulator gave a copy another name than asked for (a file of that name was
    // there): the first new name of each old name is kept.
    void onDestinationFileNameChanged(QString oldName, QString newName);
    // The destinations take the names really given, then get thumbnails.
    void copyingFinished();

private:
    int m_isCut;
    QList<QPair<QString, QString>> m_changedNames;
};

} // namespace Commands
} // namespace Kova
