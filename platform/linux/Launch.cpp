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

// One command of a console line, as the shell runs it: the console's separator before it ("&",
// "&&", "||"; empty for the first); for an "echo", the text it prints as the console's echo
// does, as it stands up to the first "&", "|", "<" or ">" outside quotes and parentheses ("^"
// escapes the next character), then `code`, its redirections and pipes, acting on that text;
// for any other command, `code` alone, with "start" in any letter case the interpreter's start
// (its target opened by the desktop).
struct ConsoleCommand {
    QString separator;
    std::optional<QString> echoed;
    QString code;
};

// Where the part of `text` from `from` that the console reads as one piece ends: at `stop` (a
// character that is not quoted, in parentheses or escaped with "^"), or at the end. In `shell`
// code single quotes quote too, and a backslash escapes, as the shell reads them.
template <typename Stop>
qsizetype pieceEnd(const QString &text, qsizetype from, bool shell, Stop stop)
{
    QChar quote;
    for (int depth = 0; from < text.size(); ++from) {
        const QChar c = text[from];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (shell && quote == u'"' && c == u'\\')
                ++from;
        } else if (c == u'"' || (shell && c == u'\'')) {
            quote = c;
        } else if (c == u'^' || (shell && c == u'\\')) {
            ++from;
        } else if (c == u'(' || (c == u')' && depth > 0)) {
            depth += c == u'(' ? 1 : -1;
        } else if (depth == 0 && stop(from)) {
            break;
        }
    }
    return std::min(from, text.size());
}

const QRegularExpression &echoCommand()
{
    static const QRegularExpression echo(QStringLiteral("^\\s*echo(?:[ .](.*))?$"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    return echo;
}

ConsoleCommand consoleCommand(const QString &separator, const QString &text)
{
    static const QRegularExpression start(QStringLiteral("(^|[|;(]\\s*)start(?=\\s|$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = echoCommand().match(text);
    if (!match.hasMatch()) {
        // Shell code, where "^" before one of the console's special characters escapes it
        // outside quotes.
        QString code;
        QChar quote;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            quote = quote.isNull() && (c == u'"' || c == u'\'') ? c : c == quote ? QChar() : quote;
            const bool escape = quote.isNull() && c == u'^' && i + 1 < text.size() &&
                                QStringView(u"&|<>").contains(text[i + 1]);
            code += escape ? u'\\' : c;
        }
        return {separator, std::nullopt, code.trimmed().replace(start, QStringLiteral("\\1start"))};
    }
    const QString rest = match.captured(1);
    qsizetype end = pieceEnd(rest, 0, false,
                             [&](qsizetype i) { return QStringView(u"|<>").contains(rest[i]); });
    // A digit alone before "<" or ">" names the stream redirected ("2>&1"), as the console reads.
    if (end < rest.size() && rest[end] != u'|' && end > 0 && rest[end - 1] >= u'0' &&
        rest[end - 1] <= u'9' && (end == 1 || rest[end - 2] == u' '))
        --end;
    QString echoed;
    bool quoted = false;
    for (qsizetype i = 0; i < end; ++i) {
        quoted = quoted != (rest[i] == u'"');
        if (rest[i] != u'^' || quoted || ++i < end)
            echoed += rest[i];
    }
    return {separator, echoed, rest.sliced(end).trimmed()};
}

QList<ConsoleCommand> consoleCommands(const QString &line)
{
    QList<ConsoleCommand> commands;
    QString separator;
    for (qsizetype at = 0;;) {
        // "&" after "<" or ">" belongs to a redirection ("2>&1"). Any command but an echo is
        // the shell's, its quotes included.
        const bool shell = !echoCommand().match(line.mid(at)).hasMatch();
        const qsizetype end = pieceEnd(line, at, shell, [&](qsizetype i) {
            return (line[i] == u'&' && (i == at || (line[i - 1] != u'>' && line[i - 1] != u'<'))) ||
                   line.mid(i, 2) == u"||";
        });
        commands.append(consoleCommand(separator, line.sliced(at, end - at)));
        if (end == line.size())
            return commands;
        separator = line.mid(end, 2) == u"&&" || line.mid(end, 2) == u"||" ? line.mid(end, 2)
                                                                           : line.mid(end, 1);
        at = end + separator.size();
    }
}

// The console's script: four arguments a command (its separator, "echo" or "sh", the echoed
// text, the code), run in turn as the console runs them; the commands stay arguments.
// `start` opens its target deaf to the hang-up of the console closing, as nohup does.
QString interpreterScript(const QString &after)
{
    return QStringLiteral(
               "start() {\n"
               "  [ $# -eq 0 ] || (trap '' HUP; exec xdg-open \"$*\") >/dev/null 2>&1 &\n"
               "}\n"
               "s=0\n"
               "while [ $# -ge 4 ]; do\n"
               "  case $1$s in\n"
               "  '&&'[!0]* | '||0') ;;\n"
               "  *) if [ \"$2\" = echo ]; then (eval \"printf '%s\\n' \\\"\\$3\\\" $4\")\n"
               "     elif [ -n \"$4\" ]; then (eval \"$4\"); else true; fi\n"
               "     s=$? ;;\n"
               "  esac\n"
               "  shift 4\n"
               "done\n"
               "(exit $s)\n") +
           after;
}

QStringList consoleArguments(const QString &command, const QString &after)
{
    QStringList arguments = {QStringLiteral("-c"), interpreterScript(after), QStringLiteral("sh")};
    for (const ConsoleCommand &c : consoleCommands(command.trimmed()))
        arguments << c.separator << QString::fromLatin1(c.echoed ? "echo" : "sh")
                  << c.echoed.value_or(QString()) << c.code;
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
