#pragma once

#include <TextCodec.h>

#include <QString>

namespace platform {
class Platform;
}

// Shared file procedures of the program's public module.
namespace mdlPub {

// Replaces the file's whole content with `bytes`, atomically, so a failed write leaves the old
// content whole. An existing read-only file is refused. Returns false on any failure, without a
// message.
bool replaceFile(const QString &path, QByteArrayView bytes);

// Replaces the file's whole content with `text` and CR LF in `encoding` (see replaceFile).
bool writeTextFile(const QString &path, const QString &text,
                   tasks::Encoding encoding = tasks::localeEncoding());

// True for a path that starts with the lower-case command mark "cmd:" (without touching the
// file system), otherwise true exactly when the path opens for reading. Folders do not.
bool relatedFileUsable(const QString &path);

// The folder of the event log.
QString getWindowsPath(const platform::Platform &platform);

} // namespace mdlPub
