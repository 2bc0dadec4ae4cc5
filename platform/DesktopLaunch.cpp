// Starting programs and commands, and the desktop's "open".
#include "CommandLine.h"
#include "DesktopPlatform.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

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

// The shell's stand-in for the command interpreter, run with the command as $1: "start T"
// anywhere in the line opens T with the desktop (the interpreter's own command), a line that
// is an "echo" prints the rest as it stands (parentheses and all), anything else runs in a
// shell of its own, so that a command the shell cannot parse fails alone. `after` follows.
QString interpreterScript(const QString &after)
{
    return QStringLiteral(
               "start() { [ $# -gt 0 ] && xdg-open \"$*\" >/dev/null 2>&1 & }\n"
               "START() { start \"$@\"; }\nStart() { start \"$@\"; }\n"
               "case $1 in\n"
               "[Ee][Cc][Hh][Oo]) echo ;;\n"
               "[Ee][Cc][Hh][Oo]\" \"* | [Ee][Cc][Hh][Oo].*) printf '%s\\n' \"${1#?????}\" ;;\n"
               "*) (eval \"$1\") ;;\n"
               "esac\n") +
           after;
}

// A console window for the command, as the interpreter's own; `stayOpen` keeps it open after
// the command with a shell in it, and a command that fails keeps it open with its output and
// status until Enter. Without a terminal the command runs unseen.
void startInTerminal(const QString &command, bool stayOpen)
{
    const QString terminal = firstExecutable({"x-terminal-emulator", "xterm"});
    if (terminal.isEmpty()) {
        QProcess::startDetached(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), interpreterScript({}), QStringLiteral("sh"), command});
        return;
    }
    const QString after =
        stayOpen ? QStringLiteral("exec /bin/sh\n")
                 : QStringLiteral(
                       "s=$?\n[ $s -eq 0 ] || { printf '\\n命令以状态 %s 结束。按回车键关闭窗口。' "
                       "$s; read -r _; }\n");
    QProcess::startDetached(terminal,
                            {QStringLiteral("-e"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                             interpreterScript(after), QStringLiteral("sh"), command});
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
