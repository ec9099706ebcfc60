#pragma once

#include <QGraphicsRectItem>
#include <QString>

class QPixmap;

namespace Kova {

class KvStage;

// The stage rectangle of a stage tab with its background colour and picture. It sits
// at the scene origin below every screen. A background picture that cannot be loaded
// never replaces the one already shown.
class KvStageItem : public QGraphicsRectItem
{
public:
    enum { Type = UserType + 0x4b30 };

    KvStageItem(KvStage* stage, const QString& dataFolder, QGraphicsItem* parent = nullptr);
    ~KvStageItem() override;
    KvStageItem(const KvStageItem&) = delete;
    KvStageItem& operator=(const KvStageItem&) = delete;

    int type() const override { return Type; }

    KvStage* stage() const { return m_stage; }
    QString dataFolder() const { return m_dataFolder; }
    // Null when no picture is shown.
    const QPixmap* backgroundPicture() const { return m_picture; }

    // Takes the stage's size and background colour, reloads the picture and repaints.
    void refresh();
    // Reloads only the background picture (and repaints).
    void loadBackgroundImage();

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

private:
    KvStage* m_stage = nullptr;
    QString m_dataFolder;
    QPixmap* m_picture = nullptr;
};

} // namespace Kova
