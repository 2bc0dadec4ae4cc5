#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

// Appends `bytes` to the file at `path` (made when missing) in one write that the system places
// at the end of the file, whatever other processes append meanwhile. False when it failed.
bool appendToFile(const QString &path, QByteArrayView bytes);

} // namespace platform
