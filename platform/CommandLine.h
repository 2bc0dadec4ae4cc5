#pragma once

#include <QStringList>

namespace platform {

// What a Windows command line stands for on the Linux desktop.
struct Launch {
    enum Kind {
        Nothing,  // an empty line
        Shell,    // "cmd /c X": X run by /bin/sh in a terminal window that closes when X ends
        Terminal, // "cmd /k X": a terminal window that runs X and stays open
        Open,     // "cmd /c start T" alone: T opened by the desktop's default application
        Editor,   // "Notepad P": file P (the whole rest, spaces included) in a text editor
        Program,  // any other line, split as a shell would
    };
    Kind kind = Nothing;
    QString argument;      // X, P or T
    QStringList arguments; // Program: the program and its arguments
};

Launch launchFor(const QString &commandLine);

} // namespace platform
