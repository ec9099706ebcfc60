#pragma once

#include <QWidget>

namespace Kova {

// What a screen shows of one medium. A view fills its screen; it reports the end of a
// medium that ends by itself (a movie, one pass of a telop) and a file it cannot show.
// Both signals may come from inside the view's own handlers: receivers that react by
// replacing the view connect them queued.
class KvPlayerMediaView : public QWidget
{
    Q_OBJECT
public:
    explicit KvPlayerMediaView(QWidget* parent = nullptr);
    ~KvPlayerMediaView() override;

signals:
    void ended();
    void failed();
};

} // namespace Kova
