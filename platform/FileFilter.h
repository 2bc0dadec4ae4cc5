#pragma once

#include <QStringList>

namespace platform {

// Qt's name filters for a file-open filter string (display string and patterns pairs, each
// ended by a NUL). Each keeps its display string as shown and lists its patterns the way Qt
// reads them; "*.*" means every file, with or without a dot.
QStringList nameFilters(const QString &filter);

} // namespace platform
