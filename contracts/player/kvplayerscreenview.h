#pragma once

#include "kvplayitem.h"

#include <QColor>
#include <QSizeF>
#include <QWidget>

namespace Kova {

class KvPlayerMediaView;
class KvScreen;

// One screen of the player window: its background colour and, over it, a view of the
// medium the schedule says it plays. A new item replaces the view. The view's end (for an
// item that plays until its end) and failure come out as mediumEnded and mediumFailed,
// always on a later event-loop turn and only while that item is still shown.
class KvPlayerScreenView : public QWidget
{
    Q_OBJECT
public:
    explicit KvPlayerScreenView(const KvScreen& screen, QWidget* parent = nullptr);
    ~KvPlayerScreenView() override;

    int screenId() const { return m_screenId; }
    // The screen's size in stage pixels.
    QSizeF stageSize() const { return m_stageSize; }
    // The view of the present item; null while the screen shows only its background.
    KvPlayerMediaView* mediaView() const { return m_view; }

    void setItem(const KvPlayItem& item);
    // Whether movies play their sound; off by default.
    void setMovieSound(bool on);

signals:
    void mediumEnded(int screenId);
    void mediumFailed(int screenId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    KvPlayerMediaView* createView(const KvPlayItem& item);
    void dropView();

    int m_screenId;
    QString m_name;
    bool m_extended;
    QSizeF m_stageSize;
    QColor m_background;
    bool m_movieSound = false;
    KvPlayItem m_item;
    KvPlayerMediaView* m_view = nullptr;
    // Counts items shown, so that a late report of a replaced view is ignored.
    quint64 m_generation = 0;
};

} // namespace Kova
