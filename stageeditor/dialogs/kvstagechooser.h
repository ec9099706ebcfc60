#pragma once

#include "kvusingfilelist.h"

#include <QDialog>
#include <QItemSelection>
#include <QModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLabel;
class QListView;
class QPushButton;

namespace Kova {

class KvFileSystemModel;
class KvStage;
class KvStageDescription;
class KvStagePreview;

// The dialog in which the user picks stage files to open, asks for a new stage, copies a
// stage under a new name or deletes stages. It lists the stage folder (*.kstg, *.xml) and
// shows a picture and a summary of the selected stage. Decisions are reported by signals;
// the dialog then closes and deletes itself.
class KvStageChooser : public QDialog
{
    Q_OBJECT
public:
    explicit KvStageChooser(QWidget* parent = nullptr);
    ~KvStageChooser() override;

    // The folder listed (and watched for changes).
    QString stageDir() const { return m_stageDir; }
    void setStageDir(const QString& path);

    // The stages that schedules use (type 0; not owned). Delete keeps those.
    KvUsingFileList* usingStageList() const { return m_usingStageList; }
    void setUsingStageList(KvUsingFileList* list) { m_usingStageList = list; }

    // Absolute paths of the selected stage files, in list order.
    QStringList selectedStageFiles() const;
    // " - Copy" name for a copy of `filePath`, numbered "(2)", "(3)", ... while a file of
    // that name and suffix exists in the file's folder. Returned without suffix.
    static QString proposeCopyName(const QString& filePath);

signals:
    void clearDescription();
    void stageSelectionChanged(const KvStage& stage);
    void stageHasBeenSelected(QStringList stageList);
    void requestToCreateUsingStageList(QWidget* dialogParent = nullptr);
    void requestToShowStageCreator();

public slots:
    // The used-stage list has been built: a delete that waited for it goes on.
    void usingStageListCreationFinished();

private slots:
    void selectButtonClicked();
    void createButtonClicked();
    void copyAndCreateButtonClicked();
    void cancelButtonClicked();
    void deleteButtonClicked();
    void listViewDoubleClicked(QModelIndex index);
    void listViewClicked(QModelIndex index);
    void removeSelectedStage();
    void listViewSelectionChanged(QItemSelection selected, QItemSelection deselected);

private:
    void setupUi();
    void finishDecision();
    void updateButtons();
    QString filePathOf(const QModelIndex& index) const;

    QString m_stageDir;
    KvFileSystemModel* m_model = nullptr;
    QListView* m_listView = nullptr;
    KvStagePreview* m_preview = nullptr;
    KvStageDescription* m_description = nullptr;
    QPushButton* m_selectButton = nullptr;
    QPushButton* m_createButton = nullptr;
    QPushButton* m_copyAndCreateButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPointer<KvUsingFileList> m_usingStageList;
    bool m_pendingDelete = false;
    bool m_decided = false;
};

} // namespace Kova
