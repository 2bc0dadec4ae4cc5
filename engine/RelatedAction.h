#pragma once

#include <QString>

namespace platform {
class Platform;
}

namespace engine {

// The warning shown when the related file is not found.
extern const QString kNotFoundText;

// True when the text starts with "cmd:" in any letter case.
bool hasCommandMark(QStringView text);

// The command line for a text with the command mark: "cmd /c " in place of the mark and of
// every later lower-case "cmd:".
QString commandLine(const QString &relatedFile);

// Runs the related file: a command through the command interpreter (`rf`, trimmed), anything
// else through the shell's "open" (`text`, untrimmed). Nothing is awaited or reported.
void runRelatedAction(platform::Platform &platform, const QString &text);

// The text with spaces (U+0020 only) removed from both ends.
QString trimSpaces(const QString &text);

// Whether to warn that the related file was not found: `text` is checked against the
// placeholder, emptiness and readability, `rf` for the command mark.
bool relatedFileNotFound(const QString &text, const QString &rf);

} // namespace engine
