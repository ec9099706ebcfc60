#pragma once

#include "kvplayermediaview.h"

#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QStaticText>
#include <QTimer>

namespace Kova {

class KvMedia;

// Telop text travelling across its screen. The medium gives the font, the direction
// (1 still and centred, 2 right to left, 3 bottom to top, 4 left to right, 5 top to
// bottom), the step in pixels and the wait between steps (or 1/60 s when the wait is
// automatic). Text, font and steps are measured in stage pixels and drawn scaled with the
// screen, so the text keeps its size relative to the screen at any window size.
// Horizontal travel shows the text on one line, vertical travel word-wrapped and centred in
// the screen's width. The text and, when the file has a style block, its text and
// background colours come from the telop file (docs/telop-format.md); otherwise the text is
// white on the screen's background. Each pass ends when the text has left the screen: ended() is
// emitted and the next pass starts. The step timer runs only while the view is visible.
class KvPlayerTelopView : public KvPlayerMediaView
{
    Q_OBJECT
public:
    // stageSize: the screen's size in stage pixels. A file that cannot be read or holds no
    // text reports failed().
    KvPlayerTelopView(const QString& filePath, const KvMedia& media, const QSizeF& stageSize,
                      QWidget* parent = nullptr);
    ~KvPlayerTelopView() override;

    QString text() const { return m_text.text(); }
    // Stage pixels travelled in the present pass.
    double offset() const { return m_offset; }
    bool isScrolling() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step();
    // Stage pixels from the text's entry to its exit.
    double passLength() const;
    QPointF textPosition() const;

    QStaticText m_text;
    QFont m_font;
    QSizeF m_stageSize;
    QSizeF m_textSize;
    QColor m_textColor = Qt::white;
    // Invalid when the screen's background shows behind the text.
    QColor m_backgroundColor;
    int m_direction = 2;
    int m_step = 2;
    double m_offset = 0.0;
    QTimer m_timer;
};

} // namespace Kova
