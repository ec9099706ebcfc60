#pragma once

#include "kvplayercardview.h"

namespace Kova {

// A web page. This player has no browser engine: the page is shown as a card with its
// title (an HTML file's <title>, a shortcut's host) and its address. The first web page
// of a run logs one line saying so.
class KvPlayerWebView : public KvPlayerCardView
{
    Q_OBJECT
public:
    // filePath: an HTML file, an Internet shortcut (.url) or an address (http, https).
    explicit KvPlayerWebView(const QString& filePath, QWidget* parent = nullptr);
    ~KvPlayerWebView() override;
};

} // namespace Kova
