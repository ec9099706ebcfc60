#pragma once

#include <QLoggingCategory>

namespace Kova {

// Messages of the media tool: folders whose thumbnails and records stay in memory.
Q_DECLARE_LOGGING_CATEGORY(lcMediaTool)

} // namespace Kova
