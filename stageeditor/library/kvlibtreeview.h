#pragma once

#include "kvlibfilesystemmodel.h"

#include <QList>
#include <QModelIndexList>
#include <QString>
#include <QStringList>
#include <QTreeView>

class QMimeData;

namespace Kova {

// The library's file tree. Renames in place only below the top-level folders and only
// when the editor says the item is not in use; drags carry the library's own URI format
// (so a drop back into the library is a move and other programs are not offered a file
// list); makes new folders and selects the results of file operations.
class KvLibTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit KvLibTreeView(QWidget* parent = nullptr);
    ~KvLibTreeView() override;

    using QTreeView::update;
    QModelIndexList selectedIndexes() const override;
    // Paths of the selected items, each once in the order of its last selected index;
    // without the top-level folders when `excludeTopLevel`.
    QStringList selectedFilePaths(bool excludeTopLevel) const;
    int selectedFileCount(bool excludeTopLevel) const;
    // Puts the selection on the clipboard, marked for cut (mode 1) or copy.
    void setSelectionToClipboard(int mode);
    void selectPath(const QString& path);
    void selectPathPairs(const QList<KvFileListCreator::PathPair>& pairs);

    // The payload of a drag of the selection: the model's URIs under the library's own
    // format, without "text/uri-list". Null without selection. The caller owns it.
    QMimeData* createDragMimeData() const;
    // The picture under the cursor while dragging `rows` rows shown by `icon`.
    QPixmap dragPixmap(const QIcon& icon, int rows) const;

signals:
    // The receiver sets `*ok` when the item may be renamed and clears `*notReady` once it
    // could decide.
    void inquireUsingFile(QString path, bool* ok, bool* notReady);
    void requestShowMessageBox(QString title, QString message);

public slots:
    void updateAndSelectItems(QList<Kova::KvFileListCreator::PathPair> pathList);
    void update(const QModelIndex& index);
    void update(const QString& path);
    void updateItem(const QString& path);
    void updateItem(const QModelIndex& index);
    void showMessageBox(QString title, QString message);
    void startEdit(QModelIndex index);
    int showFileDistributionTypeDialog(int* result);
    int showFileDistributionTypeDialog();
    void createFolder();
    void selectRow(QModelIndex parent, int row);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // Makes the item current without changing the selection.
    void makeCurrent(const QModelIndex& index);
    KvLibFileSystemModel* libModel() const;
    bool canRename(const QModelIndex& index);
    static void wait(int msec);
};

} // namespace Kova
