#pragma once

#include <QListWidgetItem>
#include <QMetaType>

namespace Kova {

class KvStage;

// A list item that carries a stage (a template, for example). The item owns the stage.
// Its text is the stage's name (the file's base name when the stage has none), its icon a
// small picture of the stage, its tool tip the stage's size.
class KvStageListWidgetItem : public QListWidgetItem
{
public:
    enum { Type = QListWidgetItem::UserType + 17 };

    // Takes `stage` over. Call on the GUI thread (the icon is a pixmap).
    explicit KvStageListWidgetItem(KvStage* stage, QListWidget* parent = nullptr);
    ~KvStageListWidgetItem() override;
    KvStageListWidgetItem(const KvStageListWidgetItem&) = delete;
    KvStageListWidgetItem& operator=(const KvStageListWidgetItem&) = delete;

    KvStage* stage() const { return m_stage; }
    // Hands the stage over to the caller; the item keeps showing what it showed.
    KvStage* takeStage();

    // The name shown for a stage.
    static QString displayName(const KvStage* stage);

private:
    KvStage* m_stage = nullptr;
};

} // namespace Kova

Q_DECLARE_METATYPE(Kova::KvStageListWidgetItem*)
