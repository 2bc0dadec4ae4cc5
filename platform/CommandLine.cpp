#include "CommandLine.h"

#include <QProcess>

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
    if (const auto rest = after(QStringLiteral("cmd /c ")))
        return {Launch::Shell, *rest, {}};
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
