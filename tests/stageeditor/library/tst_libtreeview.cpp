#include "kveditorcommon.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibtreeview.h"
#include "kvmodalwatcher.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

using namespace Kova;

using PairList = QList<KvLibFileSystemModel::PathPair>;

// What the model asked for; its signals pass lists by reference, which a spy cannot hold.
struct Requests
{
    explicit Requests(KvLibFileSystemModel* model)
    {
        QObject::connect(model, &KvLibFileSystemModel::moveFile,
                         [this](QStringList& paths, QString& to) {
                             moves.append({paths, to});
                         });
        QObject::connect(model, qOverload<QStringList&, QString&>(&KvLibFileSystemModel::copyFile),
                         [this](QStringList& paths, QString& to) {
                             copies.append({paths, to});
                         });
        QObject::connect(model, qOverload<PairList&>(&KvLibFileSystemModel::copyFile),
                         [this](PairList& pairs) { pairCopies.append(pairs); });
    }
    QList<QPair<QStringList, QString>> moves;
    QList<QPair<QStringList, QString>> copies;
    QList<PairList> pairCopies;
};

// Keeps what a drag started from the view carried: the drag object lives only until the
// platform's drag ends, so it is read just before it is deleted.
class DragCatcher : public QObject
{
public:
    explicit DragCatcher(QWidget* view) { view->installEventFilter(this); }
    QStringList formats;
    QByteArray uris;
    QImage picture;
    QPoint hotSpot;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        auto* drag = qobject_cast<QDrag*>(watched);
        if (drag && event->type() == QEvent::DeferredDelete) {
            formats = drag->mimeData()->formats();
            uris = drag->mimeData()->data(KvEditorCommon::MIME_TYPE_URI);
            picture = drag->pixmap().toImage();
            hotSpot = drag->hotSpot();
        }
        return false;
    }
};

// A library root with the five media folders, a hidden trash and a folder the root does
// not show, viewed by a tree as the library panel sets it up.
class TestLibTreeView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsOnlyTheMediaFolders();
    void dragCarriesLibraryUris();
    void dragOntoAFolderMovesTheItems_data();
    void dragOntoAFolderMovesTheItems();
    void dropFromOutsideCopies_data();
    void dropFromOutsideCopies();
    void renameInPlace_data();
    void renameInPlace();
    void newFolderTakesTheFirstFreeName_data();
    void newFolderTakesTheFirstFreeName();
    void previewIcons();

private:
    QString path(const QString& relative) const { return m_root->filePath(relative); }
    void makeFile(const QString& relative, const QByteArray& bytes = "x");
    QModelIndex shown(const QString& relative);
    bool dropOnView(QMimeData* payload, const QString& target);

    QTemporaryDir* m_root = nullptr;
    QTemporaryDir* m_outside = nullptr;
    KvLibFileSystemModel* m_model = nullptr;
    KvLibTreeView* m_view = nullptr;
};

void TestLibTreeView::makeFile(const QString& relative, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(relative).path());
    QFile file(relative);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestLibTreeView::init()
{
    m_root = new QTemporaryDir;
    m_outside = new QTemporaryDir;
    for (const char* folder : {"movie", "image/sub", "flash", "telop", "web", "._kvtrash", "other"})
        QDir(m_root->path()).mkpath(QString::fromLatin1(folder));
    makeFile(path("image/a b.png"));
    makeFile(path("image/._kvthumb/a b.png"));
    makeFile(path("image/sub/c.png"));
    m_model = new KvLibFileSystemModel;
    m_model->setNameFiltersInRoot({"movie", "image", "flash", "telop", "web"});
    m_model->setExclusionNamePattern({"^\\._.*"});
    m_view = new KvLibTreeView;
    m_view->setModel(m_model);
    m_view->setRootIndex(m_model->setRootPath(m_root->path()));
    m_view->setDragEnabled(true);
    m_view->setAcceptDrops(true);
    m_view->setDropIndicatorShown(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->resize(400, 400);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestLibTreeView::cleanup()
{
    delete m_view;
    delete m_model;
    delete m_outside;
    delete m_root;
}

QModelIndex TestLibTreeView::shown(const QString& relative)
{
    const QModelIndex index = m_model->index(path(relative));
    m_view->expand(index.parent());
    m_view->scrollTo(index);
    return index;
}

// Drags `payload` over the view and drops it on the item of `target` (the empty area below
// the items for the root); whether the view accepted the drop.
bool TestLibTreeView::dropOnView(QMimeData* payload, const QString& target)
{
    const QPoint at = target.isEmpty() ? QPoint(10, m_view->viewport()->height() - 5)
                                       : m_view->visualRect(shown(target)).center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, payload, Qt::LeftButton, {});
    QApplication::sendEvent(m_view->viewport(), &enter);
    QDragMoveEvent move(at, actions, payload, Qt::LeftButton, {});
    QApplication::sendEvent(m_view->viewport(), &move);
    QDropEvent drop(at, actions, payload, Qt::LeftButton, {});
    QApplication::sendEvent(m_view->viewport(), &drop);
    return drop.isAccepted();
}

void TestLibTreeView::showsOnlyTheMediaFolders()
{
    QStringList names;
    for (int row = 0; row < m_model->rowCount(); ++row)
        names << m_model->index(row, 0).data().toString();
    QCOMPARE(names, QStringList({"flash", "image", "movie", "telop", "web"}));
    const QModelIndex image = m_model->index(path("image"));
    m_view->expand(image);
    QCOMPARE(m_model->rowCount(image), 2); // "sub" and "a b.png", not "._kvthumb"
}

void TestLibTreeView::dragCarriesLibraryUris()
{
    const QModelIndex file = shown("image/a b.png");
    m_view->selectPath(path("image/a b.png"));
    m_view->selectRow(file.parent(), 0); // "sub"
    // Through the window, as the windowing system delivers the pointer: the first move enters
    // the dragging state, the next one past the drag distance starts the drag.
    DragCatcher catcher(m_view);
    QWindow* window = m_view->windowHandle();
    const QPoint from = m_view->viewport()->mapTo(m_view, m_view->visualRect(file).center());
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + QPoint(0, 1));
    QTest::mouseMove(window, from + QPoint(0, 30));
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(0, 30));

    QTRY_VERIFY(!catcher.formats.isEmpty());
    QVERIFY(!catcher.formats.contains("text/uri-list"));
    const QByteArray expected = QUrl::fromLocalFile(path("image/a b.png")).toEncoded() + "\r\n" +
                                QUrl::fromLocalFile(path("image/sub")).toEncoded() + "\r\n";
    QVERIFY(expected.contains("a%20b.png"));
    QCOMPARE(catcher.uris, expected);

    // Two rows: a 48-pixel picture with a dark blue badge at the top right.
    QCOMPARE(catcher.picture.size(), QSize(48, 48));
    QCOMPARE(catcher.hotSpot, QPoint(24, 24));
    QCOMPARE(catcher.picture.pixel(44, 4), qRgb(0, 0, 128));
    QCOMPARE(qAlpha(catcher.picture.pixel(1, 46)), 0);
}

void TestLibTreeView::dragOntoAFolderMovesTheItems_data()
{
    QTest::addColumn<QStringList>("dragged");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("moved"); // empty: the drop is refused

    QTest::newRow("file onto a folder")
        << QStringList{"image/a b.png"} << "movie" << QStringList{"image/a b.png"};
    QTest::newRow("onto a file: its folder")
        << QStringList{"image/sub"} << "movie/m.mp4" << QStringList{"image/sub"};
    QTest::newRow("presentation") << QStringList{"image/show.PPTX"} << "image/sub"
                                  << QStringList{"image/show.PPTX"};
    QTest::newRow("top-level folder stays")
        << QStringList{"web", "image/a b.png"} << "movie" << QStringList{"image/a b.png"};
    QTest::newRow("only a top-level folder") << QStringList{"web"} << "movie" << QStringList();
    QTest::newRow("into its own folder")
        << QStringList{"image/a b.png"} << "image" << QStringList();
}

void TestLibTreeView::dragOntoAFolderMovesTheItems()
{
    QFETCH(QStringList, dragged);
    QFETCH(QString, target);
    QFETCH(QStringList, moved);

    makeFile(path("image/show.PPTX"));
    makeFile(path("movie/m.mp4"));
    Requests requests(m_model);
    QSignalSpy presentations(m_model, &KvLibFileSystemModel::addPptFile);
    m_view->selectionModel()->clearSelection();
    for (const QString& item : dragged) {
        const QModelIndex index = shown(item);
        m_view->selectRow(index.parent(), index.row());
    }
    QScopedPointer<QMimeData> payload(m_view->createDragMimeData());
    QVERIFY(payload);

    QCOMPARE(dropOnView(payload.data(), target), !moved.isEmpty());
    QCOMPARE(requests.moves.count(), moved.isEmpty() ? 0 : 1);
    if (!moved.isEmpty()) {
        for (QString& item : moved)
            item = path(item);
        QCOMPARE(requests.moves.at(0).first, moved);
        QCOMPARE(requests.moves.at(0).second,
                 QFileInfo(path(target)).isDir() ? path(target) : QFileInfo(path(target)).path());
    }
    QCOMPARE(requests.copies.count() + requests.pairCopies.count() + presentations.count(), 0);
}

void TestLibTreeView::dropFromOutsideCopies_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("answer");           // -1: no question expected
    QTest::addColumn<QStringList>("expected"); // "source>destination", relative paths
    QTest::addColumn<bool>("accepted");

    const QStringList mixed{"p.png", "m.mp4", "notes.doc", "folder/"};
    QTest::newRow("on root: sorted, others skipped")
        << "" << mixed << -1 << QStringList{"p.png>image/p.png", "m.mp4>movie/m.mp4"} << true;
    QTest::newRow("on root: nothing of a media type")
        << "" << QStringList{"notes.doc", "folder/"} << -1 << QStringList() << false;
    QTest::newRow("on sub-folder: automatic")
        << "image/sub" << mixed << 1
        << QStringList{"p.png>image/p.png", "m.mp4>movie/m.mp4", "notes.doc>image/sub/notes.doc",
                       "folder>image/sub"}
        << true;
    QTest::newRow("on a file: specified folder")
        << "image/a b.png" << QStringList{"p.png", "m.mp4"} << 2 << QStringList() << true;
    QTest::newRow("cancelled") << "movie" << QStringList{"p.png"} << 0 << QStringList() << false;
    QTest::newRow("presentation") << "movie" << QStringList{"show.PPTX"} << -1
                                  << QStringList{"show.PPTX"} << true;
}

void TestLibTreeView::dropFromOutsideCopies()
{
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QFETCH(int, answer);
    QFETCH(QStringList, expected);
    QFETCH(bool, accepted);

    QList<QUrl> urls;
    for (QString file : files) {
        if (file.endsWith('/')) {
            file.chop(1);
            QDir(m_outside->path()).mkpath(file);
        } else {
            makeFile(m_outside->filePath(file));
        }
        urls << QUrl::fromLocalFile(m_outside->filePath(file));
    }
    QMimeData data;
    data.setUrls(urls);

    int asked = 0;
    connect(m_model, &KvLibFileSystemModel::requestShowFileDistributionTypeDialog, this,
            [&](int* result) {
                ++asked;
                *result = answer;
            });
    Requests requests(m_model);
    QSignalSpy presentations(m_model, &KvLibFileSystemModel::addPptFile);

    QCOMPARE(dropOnView(&data, target), accepted);
    QCOMPARE(asked, answer < 0 ? 0 : 1);

    if (files.first().endsWith(".PPTX")) {
        QCOMPARE(presentations.count(), 1);
        QCOMPARE(presentations.at(0).at(0).toString(), m_outside->filePath(files.first()));
        QCOMPARE(requests.pairCopies.count() + requests.copies.count(), 0);
    } else if (answer == 2) {
        QCOMPARE(requests.copies.count(), 1);
        QStringList sources;
        for (const QString& file : files)
            sources << m_outside->filePath(file);
        QCOMPARE(requests.copies.at(0).first, sources);
        QCOMPARE(requests.copies.at(0).second, path("image"));
    } else {
        QCOMPARE(requests.pairCopies.count(), accepted ? 1 : 0);
        QStringList got;
        if (accepted) {
            for (const auto& pair : qAsConst(requests.pairCopies.first()))
                got << QDir(m_outside->path()).relativeFilePath(pair.first) + ">" +
                           QDir(m_root->path()).relativeFilePath(pair.second);
        }
        QCOMPARE(got, expected);
        QCOMPARE(requests.copies.count(), 0);
    }
}

void TestLibTreeView::renameInPlace_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("decided");
    QTest::addColumn<bool>("renamed");

    QTest::newRow("file") << "image/a b.png" << 0 << true << true;
    QTest::newRow("top-level folder") << "image" << 0 << true << false;
    QTest::newRow("size column") << "image/a b.png" << 1 << true << false;
    QTest::newRow("used files not known yet") << "image/a b.png" << 0 << false << false;
}

void TestLibTreeView::renameInPlace()
{
    QFETCH(QString, item);
    QFETCH(int, column);
    QFETCH(bool, decided);
    QFETCH(bool, renamed);

    connect(m_view, &KvLibTreeView::inquireUsingFile, this,
            [decided](const QString&, bool* ok, bool* notReady) {
                *ok = true;
                *notReady = !decided;
            });
    KvModalWatcher watcher;
    QSignalSpy renames(m_model, &KvFileSystemModel::fileRenamed);
    QSignalSpy failed(m_model, &KvFileSystemModel::fileRenameFailed);
    const QModelIndex index = shown(item).siblingAtColumn(column);
    m_view->setCurrentIndex(index);
    QTest::keyClick(m_view, Qt::Key_F2);

    auto* editor = m_view->viewport()->findChild<QLineEdit*>();
    QCOMPARE(editor != nullptr, renamed);
    if (renamed) {
        editor->selectAll();
        QTest::keyClicks(editor, "renamed.png");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(failed.count(), 0);
        QTRY_COMPARE(renames.count(), 1); // the delegate commits on the next event loop turn
        QCOMPARE(renames.at(0),
                 QVariantList({path("image"), QString("a b.png"), QString("renamed.png")}));
        QVERIFY(QFile::exists(path("image/renamed.png")));
    }
    if (!decided) {
        QTRY_COMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().at(0).title, QString("Rename"));
        QCOMPARE(watcher.seen().at(0).text,
                 QString("It is not able to rename ready for. Please try again later."));
    }
    QCOMPARE(renames.isEmpty(), !renamed);
}

void TestLibTreeView::newFolderTakesTheFirstFreeName_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("made");

    QTest::newRow("top-level folder") << "movie" << QStringList() << "movie/New_Folder";
    QTest::newRow("file: its folder")
        << "image/sub/c.png" << QStringList() << "image/sub/New_Folder";
    QTest::newRow("numbered") << "web" << QStringList{"New_Folder", "New_Folder(2)"}
                              << "web/New_Folder(3)";
}

void TestLibTreeView::newFolderTakesTheFirstFreeName()
{
    QFETCH(QString, selected);
    QFETCH(QStringList, existing);
    QFETCH(QString, made);

    for (const QString& name : existing)
        QDir(path(selected)).mkdir(name);
    connect(m_view, &KvLibTreeView::inquireUsingFile, this,
            [](const QString&, bool* ok, bool* notReady) {
                *ok = true;
                *notReady = false;
            });
    shown(selected);
    m_view->selectPath(path(selected));
    m_view->createFolder();

    QVERIFY(QFileInfo(path(made)).isDir());
    QCOMPARE(m_view->selectedFilePaths(false), QStringList(path(made)));
    QVERIFY(m_view->viewport()->findChild<QLineEdit*>()); // the name is being edited
}

void TestLibTreeView::previewIcons()
{
    QImage red(64, 64, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(path("image/red.png")));
    makeFile(path("image/blank.png"));

    QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
    const QModelIndex picture = shown("image/red.png");
    QTRY_VERIFY(!changed.isEmpty());
    QTRY_COMPARE(m_model->icon(picture).pixmap(16, 16).toImage().pixel(8, 8), qRgb(255, 0, 0));

    // A blank preview leaves the ordinary file icon.
    const QModelIndex blank = m_model->index(path("image/blank.png"));
    const QImage ordinary = m_model->KvFileSystemModel::icon(blank).pixmap(32, 32).toImage();
    m_model->onIconReadingCompleted(path("image/blank.png"),
                                    new QIcon(":/images/exclusion/transparent.png"));
    QCOMPARE(m_model->icon(blank).pixmap(32, 32).toImage(), ordinary);
}

QTEST_MAIN(TestLibTreeView)
#include "tst_libtreeview.moc"
