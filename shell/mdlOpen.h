#pragma once

#include <QString>

class QWidget;

namespace platform {
class Platform;
}

// The file chooser.
namespace mdlOpen {

// The related-file chooser's filters: display string and patterns for audio and video,
// programs and all files, each ended by a NUL, the whole ended by one more.
QString relatedFileFilter();

// The system's file-open dialog for one existing file; the full path, or "" when nothing was
// chosen.
QString showOpenDialog(platform::Platform &platform, QWidget *owner, const QString &title,
                       const QString &filter);

} // namespace mdlOpen
