#pragma once

#include "kvtelopfile.h"

#include <QTimer>
#include <QWidget>

namespace Kova {

// A strip that scrolls a telop's text with its font, colours, direction and speed. It moves
// the text one step per tick of a timer that runs only while the strip is visible.
class KvTelopPreview : public QWidget
{
    Q_OBJECT
public:
    // Milliseconds between two steps.
    static constexpr int TICK_MS = 33;
    // The preview shows at most this many characters of a long text.
    static constexpr int MAX_PREVIEW_CHARACTERS = 2000;

    explicit KvTelopPreview(QWidget* parent = nullptr);
    ~KvTelopPreview() override;

    // Shows `telop`; a change of direction starts the text again from its entering edge.
    void setTelop(const KvTelopFile& telop);

    // How far, in pixels, the text has moved in from its entering edge.
    int offset() const { return m_offset; }
    bool isScrolling() const { return m_timer.isActive(); }

    QSize sizeHint() const override;

public slots:
    // Moves the text one step; once it has left the strip it enters again.
    void advance();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool horizontal() const;
    // The text's extent along the scrolling direction.
    int textLength() const;

    KvTelopFile m_telop;
    QStringList m_lines;
    QSize m_textSize;
    int m_offset = 0;
    QTimer m_timer;
};

} // namespace Kova
