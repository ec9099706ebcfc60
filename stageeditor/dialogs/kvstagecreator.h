#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QTextBrowser;

namespace Kova {

class KvColorWidget;
class KvStage;
class KvStageListWidgetItem;
class KvStageTemplate;

// The dialog that makes a new, unsaved stage from a template. The templates are listed
// in the background (KvStageTemplate); the user picks one, adjusts the file name, the
// size and the background colour, and accepts. The new stage is handed over with
// stageCreated(); the dialog then closes and deletes itself.
class KvStageCreator : public QDialog
{
    Q_OBJECT
public:
    explicit KvStageCreator(QWidget* parent = nullptr);
    ~KvStageCreator() override;

    // The folder the new stage's file will be in (also searched for names in use).
    QString stageDir() const { return m_stageDir; }
    void setStageDir(const QString& path) { m_stageDir = path; }

    // File names (without folder) that the proposed name must not take, such as the
    // files of stages open in the editor. Names already there are skipped (case-sensitive).
    QStringList usingFileNameList() const { return m_usingFileNames; }
    void addUsingFileName(const QString& fileName);
    void addUsingFileNameList(const QStringList& fileNames);

    // "NewStage.xml", or "NewStage-<n>.xml" with the first counter from 1 whose base name
    // is neither a stage file (*.kstg, *.xml) in stageDir nor among namesInUse.
    static QString proposeName(const QString& stageDir, const QStringList& namesInUse = {});

    // "<n> screen" below 2, "<n> screens" from 2 on.
    static QString screenCountText(int count);

public slots:
    // Refuses (with a warning, the dialog staying open) a name whose stage file exists in
    // stageDir or is in use: saving the new stage would overwrite that stage.
    void accept() override;

signals:
    // The receiver takes the stage over; null when no template was selected.
    void stageCreated(KvStage* stage);
    void requestCreateTemplateList();

private slots:
    void onAccepted();
    void onRejected();
    void createTemplateList();
    void addstageListItemToListWidget(KvStageListWidgetItem* item);
    void onListWidgetItemSelectionChanged();
    void onListWidgetItemDoubleClicied(QListWidgetItem* item);

private:
    void setupUi();
    KvStageListWidgetItem* selectedItem() const;
    KvStage* createStage(const KvStage& templateStage) const;
    QString newFileName() const;

    QString m_stageDir;
    QStringList m_usingFileNames;
    QListWidget* m_listWidget = nullptr;
    QTextBrowser* m_descriptionView = nullptr;
    QLabel* m_multimediaCountLabel = nullptr;
    QLabel* m_telopCountLabel = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QSpinBox* m_widthSpinBox = nullptr;
    QSpinBox* m_heightSpinBox = nullptr;
    KvColorWidget* m_colorWidget = nullptr;
    QPointer<KvStageTemplate> m_templateLister;
    bool m_decided = false;
};

} // namespace Kova
