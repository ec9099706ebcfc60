#include "kvmainwindow.h"

#include "kvdatafolder.h"
#include "kveditorconfig.h"
#include "kveditoruserconfig.h"
#include "kvstageeditor.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace Kova {

KvMainWindow::KvMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Kova Stage Editor"));
    restoreWindowGeometry();

    m_helpMenu = new QMenu(tr("&Help"), this);
    m_helpMenu->setObjectName(QStringLiteral("Menu_Help"));
    QAction* about = m_helpMenu->addAction(tr("&About"));
    about->setObjectName(QStringLiteral("Action_About"));
    connect(about, &QAction::triggered, this, &KvMainWindow::showAbout);
}

KvMainWindow::~KvMainWindow()
{
    delete m_editor.data();
}

void KvMainWindow::start()
{
    if (m_editor)
        return;
    m_editor = new KvStageEditor(this);
    m_editor->setHelpMenu(m_helpMenu);
    const QList<QMenu*> menus = m_editor->menu();
    for (QMenu* menu : menus)
        menuBar()->addMenu(menu);

    connect(m_editor, &KvStageEditor::quitApp, this, &KvMainWindow::onQuitRequested);
    connect(m_editor, &KvStageEditor::showVersionInformation, this, &KvMainWindow::showAbout);
    connect(m_editor, &KvStageEditor::showConfiguration, this, &KvMainWindow::showConfiguration);
    connect(m_editor, &KvStageEditor::requestEmptyTrash, this, &KvMainWindow::emptyTrash);
    connect(m_editor, &KvStageEditor::closed, this, &KvMainWindow::onEditorClosed);
    m_editor->exec();
}

void KvMainWindow::closeEvent(QCloseEvent* event)
{
    if (m_editor && !m_editorClosed) {
        // The editor stores its layout and asks about unsaved stages first; the window
        // closes once it reports closed().
        event->ignore();
        m_editor->close();
        return;
    }
    if (QSettings* settings = KvEditorUserConfig::settings()) {
        settings->setValue(QStringLiteral("host/geometry"), saveGeometry());
        settings->sync();
    }
    QMainWindow::closeEvent(event);
}

void KvMainWindow::restoreWindowGeometry()
{
    QSettings* settings = KvEditorUserConfig::settings();
    if (settings && restoreGeometry(settings->value(QStringLiteral("host/geometry")).toByteArray()))
        return;
    // First start: most of the screen, so the stage area has room between the docks.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const QSize size(qMax(1024, available.width() * 9 / 10),
                     qMax(700, available.height() * 9 / 10));
    resize(size.boundedTo(available.size()).expandedTo(QSize(800, 600)));
    move(available.center() - rect().center());
}

void KvMainWindow::onEditorClosed()
{
    m_editorClosed = true;
    if (m_editor) {
        // closed() is emitted from inside the editor, so it goes once control is back.
        m_editor->deleteLater();
        m_editor = nullptr;
    }
    QTimer::singleShot(0, this, &QWidget::close);
}

void KvMainWindow::onQuitRequested()
{
    close();
}

void KvMainWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About Kova Stage Editor"),
        tr("<b>Kova Stage Editor</b> %1<br><br>Lays out digital-signage stages: "
           "screens on a canvas and the media each screen plays.<br><br>"
           "Data folder: %2")
            .arg(QStringLiteral(KOVA_VERSION),
                 QDir::toNativeSeparators(KvEditorConfig::dataDir()).toHtmlEscaped()));
}

void KvMainWindow::showConfiguration()
{
    QMessageBox::information(
        this, tr("Configuration"),
        tr("The data folder is:\n%1\n\nStart the editor with --data-dir to use another one.")
            .arg(QDir::toNativeSeparators(KvEditorConfig::dataDir())));
}

void KvMainWindow::emptyTrash(QString path)
{
    // Only ever a folder inside the data folder is emptied.
    if (!KvDataFolder::isInside(path, KvEditorConfig::dataDir()))
        return;
    KvDataFolder::emptyFolder(path);
}

} // namespace Kova
