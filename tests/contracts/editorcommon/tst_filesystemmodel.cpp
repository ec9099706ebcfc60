#include "kvfilesystemitem.h"
#include "kvfilesystemmodel.h"
#include "kvtestfactories.h"

#include <QAbstractItemModelTester>
#include <QFileSystemWatcher>
#include <QMimeData>
#include <QtTest>

#include <memory>

using namespace Kova;

namespace {

void touch(const QString& path, const QByteArray& content = "x")
{
    QVERIFY(Kova::Test::writeFile(path, content));
}

QStringList names(const KvFileSystemModel& model, const QModelIndex& parent)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(parent); ++row)
        result.append(model.fileName(model.index(row, 0, parent)));
    return result;
}

QList<void*> flatten(const QList<QVariantList>& calls)
{
    QList<void*> ids;
    for (const QVariantList& call : calls)
        ids.append(call.first().value<QList<void*>>());
    return ids;
}

} // namespace

class TestFileSystemModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KvFileSystemModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    QString m_root;

    QString path(const QString& relative) const { return m_root + "/" + relative; }

    // The library's layout: five type folders and hidden helper folders.
    void makeLibrary()
    {
        for (const char* folder : {"movie", "image", "flash", "telop", "web", "stage"})
            QVERIFY(QDir(m_root).mkpath(folder));
        for (const char* file :
             {"._kvtrash/old.png", "image/b10.png", "image/b2.png", "image/B1.png",
              "image/notes.txt", "image/zeta/inner.png", "image/._kvthumb/t.png", "toplevel.png"})
            touch(path(file));
    }

    void setUpModel()
    {
        m_model.reset(new KvFileSystemModel);
        m_tester.reset(new QAbstractItemModelTester(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest));
        m_model->setNameFiltersInRoot({"movie", "image", "flash", "telop", "web"});
        m_model->setExclusionNamePattern({"^\\._.*"});
        QCOMPARE(m_model->setRootPath(m_root), QModelIndex());
    }

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_root = QDir(m_dir->path()).canonicalPath();
        makeLibrary();
        setUpModel();
    }

    void cleanup()
    {
        m_tester.reset();
        m_model.reset();
        m_dir.reset();
    }

    void rootShowsOnlyFilteredNames()
    {
        QCOMPARE(m_model->rootPath(), m_root);
        QCOMPARE(names(*m_model, QModelIndex()),
                 (QStringList{"flash", "image", "movie", "telop", "web"}));
        QVERIFY(!m_model->index(path("stage")).isValid());
        QVERIFY(!m_model->index(path("toplevel.png")).isValid());
        QVERIFY(!m_model->index(path("._kvtrash")).isValid());
        QCOMPARE(m_model->filePath(QModelIndex()), m_root);
        QVERIFY(m_model->isDir(QModelIndex()));
    }

    void rootFiltersDoNotApplyBelowRootButExclusionsDo()
    {
        const QModelIndex image = m_model->index(path("image"));
        QVERIFY(image.isValid());
        m_model->fetchMore(image);
        // Folders first, then files in natural order without regard to case.
        QCOMPARE(names(*m_model, image),
                 (QStringList{"zeta", "B1.png", "b2.png", "b10.png", "notes.txt"}));
        QVERIFY(!m_model->index(path("image/._kvthumb")).isValid());
        QVERIFY(!m_model->index(path("image/._kvthumb/t.png")).isValid());
        QVERIFY(!m_model->contains(path("image/._kvthumb")));
        QVERIFY(m_model->contains(m_root));
    }

    // Without the model tester, which reads every folder it can.
    void unreadFoldersOfferChildren()
    {
        KvFileSystemModel model;
        model.setRootPath(m_root);
        const QModelIndex movie = model.index(path("movie"));
        QVERIFY(model.hasChildren(movie));
        QVERIFY(model.canFetchMore(movie));
        QCOMPARE(model.rowCount(movie), 0);
        model.fetchMore(movie);
        QVERIFY(!model.canFetchMore(movie));
        QVERIFY(!model.hasChildren(movie)); // empty once read
        QVERIFY(!model.hasChildren(model.index(path("image/b2.png"))));
    }

    void pathLookupLoadsFoldersOnTheWay()
    {
        const QModelIndex inner = m_model->index(path("image/zeta/inner.png"));
        QVERIFY(inner.isValid());
        QCOMPARE(m_model->filePath(inner), path("image/zeta/inner.png"));
        QCOMPARE(m_model->filePath(inner.parent()), path("image/zeta"));
        QCOMPARE(m_model->filePath(inner.parent().parent()), path("image"));
        QVERIFY(!inner.parent().parent().parent().isValid());
        QCOMPARE(m_model->index(path("image/zeta/inner.png"), 3).column(), 3);
        QVERIFY(!m_model->index(path("image/zeta/none.png")).isValid());
        QVERIFY(!m_model->index("/definitely/elsewhere").isValid());
        QVERIFY(!m_model->index(m_root + "-other/x").isValid());
        // Trailing separators and dots are cleaned.
        QCOMPARE(m_model->index(path("image/zeta/../zeta/")), inner.parent());
    }

    void lookupTakesInEntriesMadeSinceReading()
    {
        const QModelIndex image = m_model->index(path("image"));
        m_model->fetchMore(image);
        const int before = m_model->rowCount(image);
        QVERIFY(QDir(path("image")).mkdir("New_Folder"));
        touch(path("image/._hidden"));
        const QModelIndex created = m_model->index(path("image/New_Folder"));
        QVERIFY(created.isValid());
        QCOMPARE(created.row(), 0); // folders first, in name order
        QCOMPARE(m_model->rowCount(image), before + 1);
        QVERIFY(!m_model->index(path("image/._hidden")).isValid());
        QVERIFY(!m_model->index(path("image/none")).isValid());
        QCOMPARE(m_model->rowCount(image), before + 1);
    }

    void nameFiltersApplyToFilesOnly()
    {
        m_model->setNameFilters({"*.png"});
        const QModelIndex image = m_model->index(path("image"));
        m_model->fetchMore(image);
        QCOMPARE(names(*m_model, image), (QStringList{"zeta", "B1.png", "b2.png", "b10.png"}));
    }

    void directoryLoadedIsPosted()
    {
        KvFileSystemModel model;
        QSignalSpy loaded(&model, &KvFileSystemModel::directoryLoaded);
        model.setRootPath(m_root);
        QVERIFY(loaded.isEmpty());
        QTRY_COMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().first().toString(), m_root);
        loaded.clear();
        const QModelIndex image = model.index(path("image"));
        model.fetchMore(image);
        QVERIFY(loaded.isEmpty()); // not while the caller is still busy
        QTRY_VERIFY(!loaded.isEmpty());
        QCOMPARE(loaded.last().first().toString(), path("image"));
    }

    void renameKeepsItemAndEmits()
    {
        m_model->setReadOnly(false);
        QSignalSpy renamed(m_model.get(), &KvFileSystemModel::fileRenamed);
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        void* id = b2.internalPointer();
        QVERIFY(m_model->flags(b2) & Qt::ItemIsEditable);
        QVERIFY(m_model->setData(b2, "a0.png"));
        QVERIFY(QFile::exists(path("image/a0.png")));
        QVERIFY(!QFile::exists(path("image/b2.png")));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.first().at(0).toString(), path("image"));
        QCOMPARE(renamed.first().at(1).toString(), QString("b2.png"));
        QCOMPARE(renamed.first().at(2).toString(), QString("a0.png"));
        const QModelIndex moved = m_model->index(path("image/a0.png"));
        QCOMPARE(moved.internalPointer(), id);
        QCOMPARE(names(*m_model, moved.parent()),
                 (QStringList{"zeta", "a0.png", "B1.png", "b10.png", "notes.txt"}));
    }

    void renameFolderUpdatesLoadedDescendants()
    {
        const QModelIndex inner = m_model->index(path("image/zeta/inner.png"));
        QVERIFY(inner.isValid());
        QVERIFY(m_model->setData(inner.parent(), "alpha"));
        QCOMPARE(m_model->filePath(inner), path("image/alpha/inner.png"));
        QCOMPARE(m_model->index(path("image/alpha/inner.png")), inner);
        QVERIFY(m_model->fileInfo(inner).exists());
    }

    void refusedRenamesChangeNothing_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::newRow("existing") << "b10.png";
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("separator") << "x/y.png";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("would be hidden") << "._secret.png";
    }

    void refusedRenamesChangeNothing()
    {
        QFETCH(QString, newName);
        QSignalSpy renamed(m_model.get(), &KvFileSystemModel::fileRenamed);
        QSignalSpy failed(m_model.get(), &KvFileSystemModel::fileRenameFailed);
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        QVERIFY(!m_model->setData(b2, newName));
        QVERIFY(QFile::exists(path("image/b2.png")));
        QCOMPARE(QFile(path("image/b10.png")).size(), qint64(1));
        QCOMPARE(renamed.count(), 0);
        QCOMPARE(failed.count(), 1);
        QVERIFY(!failed.first().at(2).toString().isEmpty());
        QCOMPARE(m_model->fileName(b2), QString("b2.png"));
    }

    void renameOfOtherColumnsOrRootIsRefused()
    {
        const QModelIndex b2 = m_model->index(path("image/b2.png"), 1);
        QVERIFY(!m_model->setData(b2, "x.png"));
        QVERIFY(!m_model->setData(QModelIndex(), "x"));
        QVERIFY(!m_model->setData(m_model->index(path("image/b2.png")), "x.png", Qt::DisplayRole));
        QVERIFY(QFile::exists(path("image/b2.png")));
    }

    void updateFindsRemovedAndNewFiles()
    {
        const QModelIndex zeta = m_model->index(path("image/zeta"));
        const QModelIndex inner = m_model->index(path("image/zeta/inner.png"));
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        QSignalSpy deleted(m_model.get(), &KvFileSystemModel::itemDeleted);
        void* zetaId = zeta.internalPointer();
        void* innerId = inner.internalPointer();
        void* b2Id = b2.internalPointer();

        const QModelIndex b10 = m_model->index(path("image/b10.png"));
        QCOMPARE(m_model->size(b10), qint64(1));
        QSignalSpy changed(m_model.get(), &KvFileSystemModel::dataChanged);
        QVERIFY(QDir(path("image/zeta")).removeRecursively());
        QVERIFY(QFile::remove(path("image/b2.png")));
        touch(path("image/b3.png"));
        touch(path("image/._hidden.png"));
        touch(path("image/b10.png"), "0123456789");
        m_model->update(path("image"));
        QCOMPARE(m_model->size(b10), qint64(10)); // details of a file kept are read again
        QVERIFY(!changed.isEmpty());

        const QList<void*> ids = flatten(deleted);
        QVERIFY(ids.contains(zetaId));
        QVERIFY(ids.contains(innerId));
        QVERIFY(ids.contains(b2Id));
        QCOMPARE(names(*m_model, m_model->index(path("image"))),
                 (QStringList{"B1.png", "b3.png", "b10.png", "notes.txt"}));
    }

    void updateOfGonePathRereadsItsFolder()
    {
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        QVERIFY(b2.isValid());
        QVERIFY(QFile::remove(path("image/b2.png")));
        m_model->update(path("image/b2.png"));
        QVERIFY(!m_model->index(path("image/b2.png")).isValid());
        // A path the model never had: its nearest folder is read.
        touch(path("image/zeta/deep/new.png"));
        m_model->update(path("image/zeta/deep/new.png"));
        QVERIFY(m_model->index(path("image/zeta/deep/new.png")).isValid());
    }

    void updateOfRootRereadsEverything()
    {
        m_model->index(path("image/zeta/inner.png"));
        QVERIFY(QDir(m_root).rmdir("web"));
        touch(path("image/zeta/second.png"));
        touch(path("image/c.png"));
        m_model->update(QModelIndex());
        QCOMPARE(names(*m_model, QModelIndex()), (QStringList{"flash", "image", "movie", "telop"}));
        QVERIFY(m_model->index(path("image/zeta/second.png")).isValid());
        QVERIFY(m_model->index(path("image/c.png")).isValid());
    }

    void changingFiltersAnnouncesDroppedItems()
    {
        const QModelIndex inner = m_model->index(path("image/zeta/inner.png"));
        void* innerId = inner.internalPointer();
        QSignalSpy deleted(m_model.get(), &KvFileSystemModel::itemDeleted);
        m_model->setExclusionNamePattern({"^\\._.*", "^zeta$"});
        QVERIFY(flatten(deleted).contains(innerId));
        QVERIFY(!m_model->index(path("image/zeta")).isValid());
        QVERIFY(m_model->index(path("image/b2.png")).isValid());
        m_model->setFilter(m_model->filter() | QDir::Hidden);
        m_model->setExclusionNamePattern({"(unclosed"}); // invalid expressions are ignored
        QVERIFY(m_model->index(path("image/._kvthumb")).isValid());
    }

    void watcherPicksUpOutsideChanges()
    {
        m_model->setFileWatcherEnabled(true);
        QVERIFY(m_model->isFileWatcherEnabled());
        const QModelIndex image = m_model->index(path("image"));
        m_model->fetchMore(image);
        touch(path("image/fromOutside.png"));
        QTRY_VERIFY_WITH_TIMEOUT(names(*m_model, image).contains("fromOutside.png"), 5000);
        QVERIFY(QFile::remove(path("image/fromOutside.png")));
        QTRY_VERIFY_WITH_TIMEOUT(!names(*m_model, image).contains("fromOutside.png"), 5000);
        // Switched off, nothing watches the folders any more.
        m_model->setFileWatcherEnabled(false);
        QVERIFY(!m_model->isFileWatcherEnabled());
        QVERIFY(!m_model->findChild<QFileSystemWatcher*>());
    }

    void mkdirAndRemove()
    {
        const QModelIndex image = m_model->index(path("image"));
        const QModelIndex created = m_model->mkdir(image, "New_Folder");
        QVERIFY(created.isValid());
        QVERIFY(QFileInfo(path("image/New_Folder")).isDir());
        QVERIFY(!m_model->mkdir(image, "New_Folder").isValid()); // exists
        QVERIFY(!m_model->mkdir(image, "a/b").isValid());
        QVERIFY(m_model->remove(m_model->index(path("image/zeta"))));
        QVERIFY(!QFileInfo::exists(path("image/zeta")));
        QVERIFY(!m_model->index(path("image/zeta")).isValid());
        QVERIFY(!m_model->remove(QModelIndex())); // never the root
    }

    void mimeDataCarriesOneUrlPerRow()
    {
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        const QModelIndexList indexes{b2, b2.sibling(b2.row(), 1), b2.sibling(b2.row(), 3),
                                      m_model->index(path("image/B1.png"))};
        std::unique_ptr<QMimeData> data(m_model->mimeData(indexes));
        QVERIFY(data);
        QCOMPARE(data->urls(), (QList<QUrl>{QUrl::fromLocalFile(path("image/b2.png")),
                                            QUrl::fromLocalFile(path("image/B1.png"))}));
        QVERIFY(!m_model->mimeData({}));
        QVERIFY(m_model->mimeTypes().contains("text/uri-list"));
    }

    void sortByOtherColumns()
    {
        touch(path("image/big.png"), QByteArray(500, 'x'));
        const QModelIndex image = m_model->index(path("image"));
        m_model->update(image);
        QPersistentModelIndex notes(m_model->index(path("image/notes.txt")));
        m_model->sort(KvFileSystemModel::SizeColumn, Qt::DescendingOrder);
        QCOMPARE(names(*m_model, image).value(0), QString("zeta")); // folders stay first
        QCOMPARE(names(*m_model, image).value(1), QString("big.png"));
        QCOMPARE(m_model->fileName(notes), QString("notes.txt"));
    }

    void iconsAndData()
    {
        const QModelIndex b2 = m_model->index(path("image/b2.png"));
        QVERIFY(!m_model->data(b2, Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!m_model->icon(m_model->index(path("image"))).isNull());
        QCOMPARE(m_model->data(b2, KvFileSystemModel::FilePathRole).toString(),
                 path("image/b2.png"));
        QCOMPARE(m_model->data(b2.sibling(b2.row(), 2)).toString(), QString("PNG File"));
        QVERIFY(!KvFileSystemItem::getIcon(path("image/b2.png")).isNull());
        QVERIFY(!KvFileSystemItem::getIcon(path("image")).isNull());
        QVERIFY(!KvFileSystemItem::getIcon(path("missing.xyz")).isNull());
    }

    void folderReplacedByFile()
    {
        const QModelIndex inner = m_model->index(path("image/zeta/inner.png"));
        const QModelIndex zeta = inner.parent();
        QVERIFY(QDir(path("image/zeta")).removeRecursively());
        touch(path("image/zeta"));
        m_model->update(zeta);
        const QModelIndex now = m_model->index(path("image/zeta"));
        QVERIFY(now.isValid());
        QVERIFY(!m_model->isDir(now));
        QCOMPARE(m_model->rowCount(now), 0);
        QVERIFY(!m_model->index(path("image/zeta/inner.png")).isValid());
        QCOMPARE(names(*m_model, now.parent()),
                 (QStringList{"B1.png", "b2.png", "b10.png", "notes.txt", "zeta"}));
    }

    void missingRootIsEmptyAndRecovers()
    {
        KvFileSystemModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRootPath(path("notyet"));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.index(path("notyet/a")).isValid());
        touch(path("notyet/a.png"));
        model.update(path("notyet"));
        QVERIFY(model.index(path("notyet/a.png")).isValid());
        model.setRootPath(QString());
        QCOMPARE(model.rowCount(), 0);
        model.setRootPath(path("notyet"));
        QVERIFY(model.index(path("notyet/a.png")).isValid());
    }
};

QTEST_MAIN(TestFileSystemModel)
#include "tst_filesystemmodel.moc"
