#include "CommandLine.h"

#include <QProcess>
#include <QRegularExpression>

#include <optional>

namespace platform {

Launch launchFor(const QString &commandLine)
{
    const QString line = commandLine.trimmed();
    auto after = [&](const QString &prefix) -> std::optional<QString> {
        if (!line.startsWith(prefix, Qt::CaseInsensitive))
            return std::nullopt;
        return line.mid(prefix.size());
    };
    if (line.isEmpty())
        return {};
    if (const auto rest = after(QStringLiteral("cmd /c "))) {
        // The interpreter's own "start T" as the whole line hands T to the desktop, without a
        // console window; in a chain ("start T & more") the console's own `start` does it.
        static const QRegularExpression start(
            QStringLiteral("^\\s*start\\s+([^\\s&|<>][^&|<>]*?)\\s*$"),
            QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch match = start.match(*rest); match.hasMatch())
            return {Launch::Open, match.captured(1), {}};
        return {Launch::Shell, *rest, {}};
    }
    if (const auto rest = after(QStringLiteral("cmd /k ")))
        return {Launch::Terminal, *rest, {}};
    if (const auto rest = after(QStringLiteral("notepad ")))
        return {Launch::Editor, *rest, {}};
    const QStringList arguments = QProcess::splitCommand(line);
    if (arguments.isEmpty())
        return {};
    return {Launch::Program, {}, arguments};
}

} // namespace platform
