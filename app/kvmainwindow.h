#pragma once

#include <QMainWindow>
#include <QPointer>

#include "kvstageeditor.h"

class QMenu;

namespace Kova {

// The host window of the stage editor: it gives the editor its menu bar, answers the
// editor's requests (quit, version, configuration, emptying the trash) and lets the
// editor close itself before the window goes.
class KvMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit KvMainWindow(QWidget* parent = nullptr);
    ~KvMainWindow() override;

    KvStageEditor* editor() const { return m_editor; }
    QMenu* helpMenu() const { return m_helpMenu; }
    // Builds the editor into the window and starts it.
    void start();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onEditorClosed();
    void onQuitRequested();
    void showAbout();
    void showConfiguration();
    void emptyTrash(QString path);

private:
    void restoreWindowGeometry();

    QPointer<KvStageEditor> m_editor;
    QMenu* m_helpMenu = nullptr;
    bool m_editorClosed = false;
};

} // namespace Kova
