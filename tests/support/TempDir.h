#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <ostream>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

struct TempDir {
    QTemporaryDir dir;

    // As the system writes paths (backslashes on Windows).
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        if (QFile file(path(name)); file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
