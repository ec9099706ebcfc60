#pragma once

#include <QHash>
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace Kova {

class KvPlaySchedule;
class KvPlayerScreenView;
class KvStage;

// The window that plays a stage. The stage is drawn as large as the window allows with
// its aspect ratio kept, centred on black; inside it the stage's background colour and
// picture and one KvPlayerScreenView per screen at its rectangle, stacked by z-order.
// The window starts the schedule and keeps one single-shot timer armed for the schedule's
// next planned change; nothing runs between changes. Esc closes the window.
class KvPlayerWindow : public QWidget
{
    Q_OBJECT
public:
    // Both stage and schedule must outlive the window.
    KvPlayerWindow(const KvStage& stage, KvPlaySchedule& schedule, QWidget* parent = nullptr);
    ~KvPlayerWindow() override;

    // Movies play muted unless sound is switched on (the player's audio option).
    void setMovieSound(bool on);
    // Milliseconds the change timer is armed for; -1 when no change is planned.
    int pendingChangeMs() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where the stage is drawn, in window pixels.
    QRect stageArea() const;
    // A stage rectangle in window pixels; neighbouring screens meet without a gap.
    QRect toWindow(const QRectF& stageRect) const;
    void layoutScreens();
    void armTimer();
    void onTimeout();
    void onItemChanged(int screenId);

    const KvStage& m_stage;
    KvPlaySchedule& m_schedule;
    QTimer m_timer;
    QHash<int, KvPlayerScreenView*> m_screens;
    QString m_backgroundPath;
    QImage m_background;
    QSize m_backgroundFor;
    bool m_movieSound = false;
};

} // namespace Kova
