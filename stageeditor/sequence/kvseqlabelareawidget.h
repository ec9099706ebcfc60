#pragma once

#include <QList>
#include <QMutex>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace Kova {

class KvSeqScreen;

// The label column left of the timeline: one label per row (screen type icon, screen name,
// event marks, total duration), painted from a cached picture that scrolls with the view.
class KvSeqLabelAreaWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int AREA_WIDTH = 120;

    explicit KvSeqLabelAreaWidget(QWidget* parent = nullptr);
    ~KvSeqLabelAreaWidget() override;

    // The rows to label (the sequence widget's list, not owned).
    void setRows(const QList<KvSeqScreen*>* rows) { m_rows = rows; }
    bool showDuration() const { return m_showDuration; }
    void setShowDuration(bool show) { m_showDuration = show; }
    QPointF scenePos() const { return m_scenePos; }
    // A copy of the cached picture (null when there are no rows).
    QPixmap labelPixmap();

    // Rebuilds the cached picture from the rows; repaints when asked.
    void updateLabelPixmap(bool updateWidget = true);

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void leaved(QEvent* event);

public slots:
    void updateMainScenePos(QPoint pos, bool updateWidget = true);
    void updateMainScenePos(QPointF pos, bool updateWidget = true);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QList<KvSeqScreen*>* m_rows = nullptr;
    QPixmap m_labelPixmap; // null while there are no rows
    QMutex m_mutex;
    QPointF m_scenePos;
    QPixmap m_multimediaIcon;
    QPixmap m_telopIcon;
    QPixmap m_extendedIcon;
    bool m_showDuration = false;
};

} // namespace Kova
