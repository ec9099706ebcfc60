#pragma once

#include "kvplayermediaview.h"

#include <QString>

namespace Kova {

// A neutral card for content this player cannot render itself: a title in large letters
// and a caption under it, on a dark grey ground.
class KvPlayerCardView : public KvPlayerMediaView
{
    Q_OBJECT
public:
    explicit KvPlayerCardView(const QString& title, const QString& caption,
                              QWidget* parent = nullptr);
    ~KvPlayerCardView() override;

    QString title() const { return m_title; }
    QString caption() const { return m_caption; }

protected:
    void setTexts(const QString& title, const QString& caption);
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QString m_caption;
};

} // namespace Kova
