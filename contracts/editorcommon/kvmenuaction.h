#pragma once

#include <QAction>
#include <QString>

namespace Kova {

// An action that tells, when triggered, which action it is: many actions of one menu
// (one per screen, say) can then share one receiver slot, told apart by object name.
class KvMenuAction : public QAction
{
    Q_OBJECT
public:
    explicit KvMenuAction(QObject* parent = nullptr);
    KvMenuAction(const QString& text, QObject* parent);
    KvMenuAction(const QString& text, const QString& objectName, QObject* parent);
    KvMenuAction(const QIcon& icon, const QString& text, const QString& objectName,
                 QObject* parent);

signals:
    // Emitted after QAction::triggered(bool) with the action's object name and
    // checked state.
    void triggered(QString objectName, bool checked);

private slots:
    void onTriggered(bool checked);

private:
    void connectTrigger();
};

} // namespace Kova
