#include "kveditorcommon.h"
#include "kvlibfilesystemmodel.h"
#include "kvlibtreeview.h"
#include "kvmodalwatcher.h"
#include "kvtestfactories.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <memory>

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

// A data folder (image/a b.png, image/show.PPTX, image/sub) viewed by a tree set up as the
// library panel does; files dropped from outside come from a second folder. The model's
// requests to the editor are recorded as text.
class TestLibTreeView : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Test::TempDataDir> m_root;
    std::unique_ptr<QTemporaryDir> m_outside;
    std::unique_ptr<KvLibTreeView> m_view;
    std::unique_ptr<KvLibFileSystemModel> m_model;
    QStringList m_requests;

    QString path(const QString& relative) const { return m_root->filePath(relative); }
    QString relative(const QString& path) const
    {
        if (path.startsWith(m_outside->path()))
            return "out:" + QDir(m_outside->path()).relativeFilePath(path);
        return QDir(m_root->path()).relativeFilePath(path);
    }
    QModelIndex shown(const QString& relative)
    {
        const QModelIndex index = m_model->index(path(relative));
        m_view->expand(index.parent());
        m_view->scrollTo(index);
        return index;
    }
    // Every item may be renamed, or the list of used files is `notReady` yet.
    void answerRenameChecks(bool notReady)
    {
        connect(m_view.get(), &KvLibTreeView::inquireUsingFile, this,
                [notReady](const QString&, bool* ok, bool* notReadyOut) {
                    *ok = true;
                    *notReadyOut = notReady;
                });
    }
    // Drags `payload` over the view and drops it on the item of `target` (the empty area
    // below the items for the root); whether the view accepted the drop.
    bool dropOnView(QMimeData* payload, const QString& target)
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

private slots:
    void init()
    {
        m_root.reset(new Test::TempDataDir);
        m_outside.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid() && m_outside->isValid());
        QVERIFY(QDir(path("image")).mkdir("sub"));
        for (const char* file : {"image/a b.png", "image/show.PPTX"})
            QVERIFY(Test::writeFile(path(file), "x"));
        m_model.reset(new KvLibFileSystemModel);
        m_model->setNameFiltersInRoot({"movie", "image", "flash", "telop", "web"});
        m_model->setExclusionNamePattern({"^\\._.*"});
        m_view.reset(new KvLibTreeView);
        m_view->setModel(m_model.get());
        m_view->setRootIndex(m_model->setRootPath(m_root->path()));
        m_view->setDragEnabled(true);
        m_view->setAcceptDrops(true);
        m_view->setDropIndicatorShown(true);
        m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_view->resize(400, 400);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));

        // The signals pass their lists by reference, which a spy cannot hold.
        m_requests.clear();
        const auto list = [this](const QStringList& paths) {
            QStringList names;
            for (const QString& p : paths)
                names << relative(p);
            return names.join(',');
        };
        KvLibFileSystemModel* model = m_model.get();
        connect(model, &KvLibFileSystemModel::moveFile, this, [=](QStringList& paths, QString& to) {
            m_requests << "move " + list(paths) + " to " + relative(to);
        });
        connect(model, qOverload<QStringList&, QString&>(&KvLibFileSystemModel::copyFile), this,
                [=](QStringList& paths, QString& to) {
                    m_requests << "copy " + list(paths) + " to " + relative(to);
                });
        connect(model,
                qOverload<QList<KvLibFileSystemModel::PathPair>&>(&KvLibFileSystemModel::copyFile),
                this, [=](QList<KvLibFileSystemModel::PathPair>& pairs) {
                    QStringList lines;
                    for (const auto& pair : pairs)
                        lines << relative(pair.first) + ">" + relative(pair.second);
                    m_requests << "copy " + lines.join(',');
                });
        connect(model, &KvLibFileSystemModel::addPptFile, this,
                [=](const QString& file) { m_requests << "presentation " + relative(file); });
    }

    void cleanup()
    {
        m_view.reset();
        m_model.reset();
        m_outside.reset();
        m_root.reset();
    }

    void dragCarriesLibraryUris()
    {
        const QModelIndex file = shown("image/a b.png");
        m_view->selectPath(path("image/a b.png"));
        m_view->selectRow(file.parent(), 0); // "sub"

        // Through the window, as the windowing system delivers the pointer: the first move
        // enters the dragging state, the next one past the drag distance starts the drag.
        DragCatcher catcher(m_view.get());
        QWindow* window = m_view->windowHandle();
        const QPoint from =
            m_view->viewport()->mapTo(m_view.get(), m_view->visualRect(file).center());
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, from + QPoint(0, 1));
        QTest::mouseMove(window, from + QPoint(0, 30));
        QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(0, 30));

        // Only the library's own format: other applications are not offered a file list.
        QTRY_VERIFY(!catcher.formats.isEmpty());
        QVERIFY(!catcher.formats.contains("text/uri-list"));
        QCOMPARE(catcher.uris, QUrl::fromLocalFile(path("image/a b.png")).toEncoded() + "\r\n" +
                                   QUrl::fromLocalFile(path("image/sub")).toEncoded() + "\r\n");

        // Two rows: a 48-pixel picture with a dark blue badge at the top right.
        QCOMPARE(catcher.picture.size(), QSize(48, 48));
        QCOMPARE(catcher.hotSpot, QPoint(24, 24));
        QCOMPARE(catcher.picture.pixel(44, 4), qRgb(0, 0, 128));
        QCOMPARE(qAlpha(catcher.picture.pixel(1, 46)), 0);
    }

    void drop_data()
    {
        QTest::addColumn<QStringList>("items"); // "out:" files come from outside, others dragged
        QTest::addColumn<QString>("target");    // empty: the root
        QTest::addColumn<int>("answer");        // to the distribution question, -1: not asked
        QTest::addColumn<QString>("request");   // empty: the drop is refused

        const QStringList outside{"out:p.png", "out:m.mp4", "out:notes.doc", "out:folder/"};
        QTest::newRow("move onto a file: its folder")
            << QStringList{"image/sub"} << "image/a b.png" << -1 << "";
        QTest::newRow("move presentation") << QStringList{"image/show.PPTX"} << "image/sub" << -1
                                           << "move image/show.PPTX to image/sub";
        QTest::newRow("top-level folder stays") << QStringList{"web", "image/a b.png"} << "movie"
                                                << -1 << "move image/a b.png to movie";
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

    void drop()
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
                QVERIFY(item.endsWith('/') ? QDir().mkpath(item) : Test::writeFile(item, "x"));
                urls << QUrl::fromLocalFile(QDir::cleanPath(item));
            } else {
                const QModelIndex index = shown(item);
                m_view->selectRow(index.parent(), index.row());
            }
        }
        fromOutside.setUrls(urls);
        QScopedPointer<QMimeData> dragged(urls.isEmpty() ? m_view->createDragMimeData() : nullptr);

        int asked = 0;
        connect(m_model.get(), &KvLibFileSystemModel::requestShowFileDistributionTypeDialog, this,
                [&](int* result) {
                    ++asked;
                    *result = answer;
                });
        QCOMPARE(dropOnView(dragged ? dragged.data() : &fromOutside, target), !request.isEmpty());
        QCOMPARE(asked, answer < 0 ? 0 : 1);
        QCOMPARE(m_requests, request.isEmpty() ? QStringList() : QStringList(request));
    }

    // The edit key never opens an editor on a top-level folder or outside the name column,
    // nor while the list of used files is still being built: that is said in a box.
    void renameRefused_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("notReady");
        QTest::newRow("top-level folder") << "image" << 0 << false;
        QTest::newRow("size column") << "image/a b.png" << 1 << false;
        QTest::newRow("used files not known yet") << "image/a b.png" << 0 << true;
    }

    void renameRefused()
    {
        QFETCH(QString, item);
        QFETCH(int, column);
        QFETCH(bool, notReady);
        answerRenameChecks(notReady);
        KvModalWatcher watcher;
        m_view->setCurrentIndex(shown(item).siblingAtColumn(column));
        QTest::keyClick(m_view.get(), Qt::Key_F2);
        QVERIFY(!m_view->findChild<QLineEdit*>());
        QCoreApplication::processEvents(); // the box is shown from the event loop
        QCOMPARE(watcher.count(), notReady ? 1 : 0);
        if (notReady) {
            QCOMPARE(watcher.seen().at(0).title, QString("Rename"));
            QCOMPARE(watcher.seen().at(0).text,
                     QString("It is not able to rename ready for. Please try again later."));
        }
    }

    void newFolderTakesTheFirstFreeName_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("made");
        QTest::newRow("file: its folder") << "image/a b.png" << QStringList() << "image/New_Folder";
        QTest::newRow("top-level folder, numbered")
            << "web" << QStringList{"New_Folder", "New_Folder(2)"} << "web/New_Folder(3)";
    }

    void newFolderTakesTheFirstFreeName()
    {
        QFETCH(QString, selected);
        QFETCH(QStringList, existing);
        QFETCH(QString, made);
        for (const QString& name : existing)
            QDir(path(selected)).mkdir(name);
        answerRenameChecks(false);
        shown(selected);
        m_view->selectPath(path(selected));
        m_view->createFolder();

        QVERIFY(QFileInfo(path(made)).isDir());
        QCOMPARE(m_view->selectedFilePaths(false), QStringList(path(made)));
        QVERIFY(m_view->viewport()->findChild<QLineEdit*>()); // the name is being edited
    }

    void previewIcons()
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
};

QTEST_MAIN(TestLibTreeView)
#include "tst_libtreeview.moc"
