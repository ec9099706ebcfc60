#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

namespace Kova {

class KvStage;
class KvStageListWidgetItem;
class KvStageTemplateWorker;

// Lists the stage templates in the background. A template is a stage file whose
// description (HTML) tells what it is for. The built-in templates come with the component
// (resource folder ":/templates"), the user's own from the "templates" folder of the data
// folder (*.xml and *.kstg), listed after the built-in ones, each group sorted by file name.
//
// start() reads the files on a worker thread; each template read becomes a
// KvStageListWidgetItem reported by itemCreated(), and creatingItemListFinished() follows the
// last one. Files that cannot be read are skipped. The lister keeps the items it reported
// until a receiver takes them with takeItem(), and deletes the ones never taken: a queued
// report whose receiver is gone before it arrives loses nothing.
class KvStageTemplate : public QObject
{
    Q_OBJECT
public:
    explicit KvStageTemplate(QObject* parent = nullptr);
    // Stops the worker and waits for it; items not taken are deleted.
    ~KvStageTemplate() override;

    // The folder of the user's templates; empty: "templates" in the data folder.
    QString templateDir() const { return m_templateDir; }
    void setTemplateDir(const QString& path) { m_templateDir = path; }
    bool useBuiltInTemplates() const { return m_useBuiltIn; }
    void setUseBuiltInTemplates(bool use) { m_useBuiltIn = use; }

    bool isRunning() const { return m_running; }

    // The resource paths of the built-in templates, sorted.
    static QStringList builtInTemplateFiles();
    // Every template file start() would read, in order.
    QStringList templateFiles() const;

    // Hands `item` over to the caller when this lister reported it and still holds it;
    // otherwise returns null without following the pointer.
    KvStageListWidgetItem* takeItem(KvStageListWidgetItem* item);

public slots:
    void start();

signals:
    void itemCreated(KvStageListWidgetItem* item);
    void creatingItemListFinished();

private slots:
    void onStagesAvailable();
    void onWorkerFinished();

private:
    QString m_templateDir;
    bool m_useBuiltIn = true;
    bool m_running = false;
    KvStageTemplateWorker* m_worker = nullptr;
    QList<KvStageListWidgetItem*> m_items;
};

} // namespace Kova
