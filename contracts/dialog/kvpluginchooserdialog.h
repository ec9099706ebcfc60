#pragma once

#include "kvstage.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace Kova {

// Chooses the plug-in of a new extended screen among the extended-screen plug-ins that the
// plug-in loader knows (it loads none itself). Each is listed with its icon, name and
// description; a double-click or OK emits pluginSelected with the plug-in's id and accepts
// the dialog. Without any such plug-in the dialog says so and OK stays disabled.
class KvPluginChooserDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KvPluginChooserDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~KvPluginChooserDialog() override;

    // The stage that gets the new screen (its name is shown); may be null.
    void setStage(KvStage* stage);
    KvStage* stage() const { return m_stage; }
    // The id of the plug-in the current row shows; empty when none.
    QString currentPluginId() const;

public slots:
    void accept() override;

signals:
    void pluginSelected(QString piid);

private:
    void fillList();
    void updateCaption();
    void updateOkButton();
    void onItemActivated(QListWidgetItem* item);

    QPointer<KvStage> m_stage;
    QLabel* m_caption = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace Kova
