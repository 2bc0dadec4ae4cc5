// Starting programs and commands, and the desktop's "open".
#include "CommandLine.h"
#include "DesktopPlatform.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <optional>

namespace platform {

namespace {

QString firstExecutable(std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

// What the shell runs for a console command line: `rest` runs in a shell of its own (a command
// the shell cannot parse fails alone), after `echoed`, the text of an "echo" that begins the
// line, printed as the interpreter's echo prints it, as it stands, parentheses and all, up to
// the first "&" outside parentheses. "start" in any letter case after a separator is the
// interpreter's start: its target is opened by the desktop.
struct ConsoleLine {
    std::optional<QString> echoed;
    QString rest;
};

ConsoleLine consoleLine(const QString &command)
{
    ConsoleLine line{std::nullopt, command.trimmed()};
    static const QRegularExpression echo(QStringLiteral("^echo(?:[ .](.*))?$"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch match = echo.match(line.rest); match.hasMatch()) {
        const QString text = match.captured(1);
        qsizetype end = 0;
        for (int depth = 0; end < text.size() && (text[end] != u'&' || depth > 0); ++end)
            depth += text[end] == u'(' ? 1 : text[end] == u')' && depth > 0 ? -1 : 0;
        line.echoed = text.first(end).trimmed();
        line.rest =
            text.sliced(std::min(end + (text.mid(end, 2) == u"&&" ? 2 : 1), text.size())).trimmed();
    }
    static const QRegularExpression start(QStringLiteral("(^|[&|;(]\\s*)start(?=\\s|$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    line.rest.replace(start, QStringLiteral("\\1start"));
    return line;
}

// The script of the console: $1 the command, $2 and $3 "echo" and its text when there is one.
// `start` opens its target deaf to the hang-up of the console closing, as nohup does.
QString interpreterScript(const QString &after)
{
    return QStringLiteral(
               "start() {\n"
               "  [ $# -eq 0 ] || (trap '' HUP; exec xdg-open \"$*\") >/dev/null 2>&1 &\n"
               "}\n"
               "[ \"$2\" != echo ] || printf '%s\\n' \"$3\"\n"
               "[ -z \"$1\" ] || (eval \"$1\")\n") +
           after;
}

QStringList consoleArguments(const QString &command, const QString &after)
{
    const ConsoleLine line = consoleLine(command);
    QStringList arguments = {QStringLiteral("-c"), interpreterScript(after), QStringLiteral("sh"),
                             line.rest};
    if (line.echoed)
        arguments << QStringLiteral("echo") << *line.echoed;
    return arguments;
}

// A console window for the command, as the interpreter's own; `stayOpen` keeps it open after
// the command with a shell in it, and a command that fails keeps it open with its output and
// status until Enter. Without a terminal the command runs unseen.
void startInTerminal(const QString &command, bool stayOpen)
{
    const QString terminal = firstExecutable({"x-terminal-emulator", "xterm"});
    if (terminal.isEmpty()) {
        QProcess::startDetached(QStringLiteral("/bin/sh"), consoleArguments(command, {}));
        return;
    }
    const QString after =
        stayOpen ? QStringLiteral("exec /bin/sh\n")
                 : QStringLiteral(
                       "s=$?\n[ $s -eq 0 ] || { printf '\\n命令以状态 %s 结束。按回车键关闭窗口。' "
                       "$s; read -r _; }\n");
    QProcess::startDetached(terminal, QStringList{QStringLiteral("-e"), QStringLiteral("/bin/sh")} +
                                          consoleArguments(command, after));
}

void openWithDesktop(const QString &target)
{
    const QString opener = firstExecutable({"xdg-open"});
    if (!opener.isEmpty())
        QProcess::startDetached(opener, {target});
    else
        QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

// A text file that is not UTF-8 is GB18030 (the program's scripts from GBK systems, and its
// own in a GB18030 locale); editors guess it as Latin-1 unless told.
bool isGb18030File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return !bytes.startsWith("\xEF\xBB\xBF") && !bytes.isValidUtf8();
}

void openInTextEditor(const QString &path)
{
    const bool gb18030 = isGb18030File(path);
    const QString editor = firstExecutable({"gnome-text-editor", "gedit", "kate", "kwrite",
                                            "mousepad", "xed", "pluma", "featherpad", "leafpad"});
    if (!editor.isEmpty()) {
        // The editors that take the encoding as an option.
        static const QStringList told = {QStringLiteral("gedit"), QStringLiteral("kate"),
                                         QStringLiteral("kwrite"), QStringLiteral("mousepad"),
                                         QStringLiteral("pluma")};
        QStringList arguments = {path};
        if (gb18030 && told.contains(QFileInfo(editor).fileName()))
            arguments.prepend(QStringLiteral("--encoding=GB18030"));
        QProcess::startDetached(editor, arguments);
        return;
    }
    const QString terminal = firstExecutable({"x-terminal-emulator", "xterm"});
    const QString console = firstExecutable({"sensible-editor", "editor", "nano", "vi"});
    if (terminal.isEmpty() || console.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    QStringList arguments = {QStringLiteral("-e"), console, path};
    // vim reads the file again in the encoding given. sensible-editor runs $VISUAL, $EDITOR or
    // the "editor" link, which is often vim.
    QString chosen = qEnvironmentVariable("VISUAL", qEnvironmentVariable("EDITOR"));
    chosen = QStandardPaths::findExecutable(chosen.isEmpty() ? QStringLiteral("editor") : chosen);
    if (!console.endsWith(u"sensible-editor"))
        chosen = console;
    if (gb18030 && QFileInfo(chosen).canonicalFilePath().section(u'/', -1).startsWith(u"vim"))
        arguments.insert(2, QStringLiteral("+e ++enc=gb18030"));
    QProcess::startDetached(terminal, arguments);
}

} // namespace

void DesktopPlatform::startCommandLine(const QString &line)
{
    const Launch launch = launchFor(line);
    switch (launch.kind) {
    case Launch::Nothing:
        break;
    case Launch::Shell:
        startInTerminal(launch.argument, false);
        break;
    case Launch::Terminal:
        startInTerminal(launch.argument, true);
        break;
    case Launch::Open:
        openWithDesktop(launch.argument);
        break;
    case Launch::Editor:
        openInTextEditor(launch.argument);
        break;
    case Launch::Program:
        QProcess::startDetached(launch.arguments.first(), launch.arguments.mid(1));
        break;
    }
}

namespace {

// A program the system can run itself: an ELF file or a script that names its interpreter. Files
// on vfat, exFAT and NTFS all carry the executable bit, songs and documents included.
bool isProgram(const QFileInfo &info)
{
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == "\x7F"
                   "ELF" ||
           head.startsWith("#!");
}

} // namespace

void DesktopPlatform::shellOpen(const QString &path)
{
    QUrl url(path, QUrl::StrictMode);
    // A web address with a space or the like, as a browser's address bar takes it.
    if (!url.isValid() && path.contains(QStringLiteral("://")))
        url = QUrl(path, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1) {
        openWithDesktop(url.toString(QUrl::FullyEncoded));
        return;
    }
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (isProgram(info))
        QProcess::startDetached(info.absoluteFilePath(), {});
    else
        openWithDesktop(info.absoluteFilePath());
}

} // namespace platform
