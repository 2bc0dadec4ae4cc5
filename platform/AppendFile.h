#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

// Appends `bytes` to the file at `path` (made when missing) in one write that the system places
// at the end of the file, whatever other processes append meanwhile. What cannot be written is
// dropped: the log is a record, never a reason to stop.
void appendToFile(const QString &path, QByteArrayView bytes);

} // namespace platform
