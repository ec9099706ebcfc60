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
// not show, viewed by a tree set up as the library panel does; files dropped from outside
// come from a second folder.
class TestLibTreeView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsOnlyTheMediaFolders();
    void dragCarriesLibraryUris();
    void drop_data();
    void drop();
    void renameInPlace_data();
    void renameInPlace();
    void newFolderTakesTheFirstFreeName_data();
    void newFolderTakesTheFirstFreeName();
    void previewIcons();

private:
    QString path(const QString& relative) const { return m_root->filePath(relative); }
    QString relative(const QString& path) const;
    void makeFile(const QString& path, const QByteArray& bytes = "x");
    QModelIndex shown(const QString& relative);
    bool dropOnView(QMimeData* payload, const QString& target);

    QTemporaryDir* m_root = nullptr;
    QTemporaryDir* m_outside = nullptr;
    KvLibFileSystemModel* m_model = nullptr;
    KvLibTreeView* m_view = nullptr;
    QStringList m_requests; // what the model asked for, as text
};

void TestLibTreeView::makeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString TestLibTreeView::relative(const QString& path) const
{
    if (path.startsWith(m_outside->path()))
        return "out:" + QDir(m_outside->path()).relativeFilePath(path);
    return QDir(m_root->path()).relativeFilePath(path);
}

void TestLibTreeView::init()
{
    m_root = new QTemporaryDir;
    m_outside = new QTemporaryDir;
    for (const char* folder : {"movie", "image/sub", "flash", "telop", "web", "._kvtrash", "other"})
        QDir(m_root->path()).mkpath(QString::fromLatin1(folder));
    for (const char* file : {"image/a b.png", "image/._kvthumb/a b.png", "image/show.PPTX"})
        makeFile(path(file));
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

    // The signals pass their lists by reference, which a spy cannot hold.
    m_requests.clear();
    const auto list = [this](const QStringList& paths) {
        QStringList names;
        for (const QString& p : paths)
            names << relative(p);
        return names.join(',');
    };
    connect(m_model, &KvLibFileSystemModel::moveFile, this, [=](QStringList& paths, QString& to) {
        m_requests << "move " + list(paths) + " to " + relative(to);
    });
    connect(m_model, qOverload<QStringList&, QString&>(&KvLibFileSystemModel::copyFile), this,
            [=](QStringList& paths, QString& to) {
                m_requests << "copy " + list(paths) + " to " + relative(to);
            });
    connect(m_model,
            qOverload<QList<KvLibFileSystemModel::PathPair>&>(&KvLibFileSystemModel::copyFile),
            this, [=](QList<KvLibFileSystemModel::PathPair>& pairs) {
                QStringList lines;
                for (const auto& pair : pairs)
                    lines << relative(pair.first) + ">" + relative(pair.second);
                m_requests << "copy " + lines.join(',');
            });
    connect(m_model, &KvLibFileSystemModel::addPptFile, this,
            [=](const QString& file) { m_requests << "presentation " + relative(file); });
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
    QCOMPARE(m_model->rowCount(image), 3); // not "._kvthumb"
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

void TestLibTreeView::drop_data()
{
    QTest::addColumn<QStringList>("items"); // "out:" files come from outside, others are dragged
    QTest::addColumn<QString>("target");    // empty: the root
    QTest::addColumn<int>("answer");        // to the distribution question, -1: not asked
    QTest::addColumn<QString>("request");   // empty: the drop is refused

    const QStringList outside{"out:p.png", "out:m.mp4", "out:notes.doc", "out:folder/"};
    QTest::newRow("move onto a folder")
        << QStringList{"image/a b.png"} << "movie" << -1 << "move image/a b.png to movie";
    QTest::newRow("move onto a file: its folder")
        << QStringList{"image/sub"} << "image/a b.png" << -1 << "";
    QTest::newRow("move presentation") << QStringList{"image/show.PPTX"} << "image/sub" << -1
                                       << "move image/show.PPTX to image/sub";
    QTest::newRow("top-level folder stays")
        << QStringList{"web", "image/a b.png"} << "movie" << -1 << "move image/a b.png to movie";
    QTest::newRow("only a top-level folder") << QStringList{"web"} << "movie" << -1 << "";
    QTest::newRow("from outside on root: sorted")
        << outside << "" << -1 << "copy out:p.png>image/p.png,out:m.mp4>movie/m.mp4";
    QTest::newRow("from outside on root: nothing of a media type")
        << QStringList{"out:notes.doc", "out:folder/"} << "" << -1 << "";
    QTest::newRow("from outside: automatic")
        << outside << "image/sub" << 1
        << "copy out:p.png>image/p.png,out:m.mp4>movie/m.mp4,out:notes.doc>image/sub/notes.doc,"
           "out:folder>image/sub";
    QTest::newRow("from outside: specified folder")
        << QStringList{"out:p.png", "out:m.mp4"} << "image/a b.png" << 2
        << "copy out:p.png,out:m.mp4 to image";
    QTest::newRow("from outside: cancelled") << QStringList{"out:p.png"} << "movie" << 0 << "";
    QTest::newRow("from outside: presentation")
        << QStringList{"out:show.PPTX"} << "movie" << -1 << "presentation out:show.PPTX";
}

void TestLibTreeView::drop()
{
    QFETCH(QStringList, items);
    QFETCH(QString, target);
    QFETCH(int, answer);
    QFETCH(QString, request);

    QMimeData fromOutside;
    QList<QUrl> urls;
    m_view->selectionModel()->clearSelection();
    for (QString item : items) {
        if (item.startsWith("out:")) {
            item = m_outside->filePath(item.mid(4));
            if (item.endsWith('/'))
                QDir().mkpath(item);
            else
                makeFile(item);
            urls << QUrl::fromLocalFile(QDir::cleanPath(item));
        } else {
            const QModelIndex index = shown(item);
            m_view->selectRow(index.parent(), index.row());
        }
    }
    fromOutside.setUrls(urls);
    QScopedPointer<QMimeData> dragged(urls.isEmpty() ? m_view->createDragMimeData() : nullptr);

    int asked = 0;
    connect(m_model, &KvLibFileSystemModel::requestShowFileDistributionTypeDialog, this,
            [&](int* result) {
                ++asked;
                *result = answer;
            });
    QCOMPARE(dropOnView(dragged ? dragged.data() : &fromOutside, target), !request.isEmpty());
    QCOMPARE(asked, answer < 0 ? 0 : 1);
    QCOMPARE(m_requests, request.isEmpty() ? QStringList() : QStringList(request));
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
    m_view->setCurrentIndex(shown(item).siblingAtColumn(column));
    QTest::keyClick(m_view, Qt::Key_F2);

    auto* editor = m_view->viewport()->findChild<QLineEdit*>();
    QCOMPARE(editor != nullptr, renamed);
    if (renamed) {
        editor->selectAll();
        QTest::keyClicks(editor, "renamed.png");
        QTest::keyClick(editor, Qt::Key_Return);
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
    QTest::newRow("file: its folder") << "image/a b.png" << QStringList() << "image/New_Folder";
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
    const QModelIndex picture = shown("image/red.png");
    QTRY_COMPARE(m_model->icon(picture).pixmap(16, 16).toImage().pixel(8, 8), qRgb(255, 0, 0));

    // A blank preview leaves the ordinary file icon.
    const QModelIndex other = m_model->index(path("image/show.PPTX"));
    const QImage ordinary = m_model->KvFileSystemModel::icon(other).pixmap(32, 32).toImage();
    m_model->onIconReadingCompleted(path("image/show.PPTX"),
                                    new QIcon(":/images/exclusion/transparent.png"));
    QCOMPARE(m_model->icon(other).pixmap(32, 32).toImage(), ordinary);
}

QTEST_MAIN(TestLibTreeView)
#include "tst_libtreeview.moc"
