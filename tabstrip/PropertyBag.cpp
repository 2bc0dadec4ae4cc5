#include "PropertyBag.h"

#include <QFile>
#include <QSaveFile>

namespace tabstrip {

QVariant MemoryPropertyBag::readProperty(const QString &key, const QVariant &defaultValue) const
{
    return values_.value(key.toUpper(), defaultValue);
}

void MemoryPropertyBag::writeProperty(const QString &key, const QVariant &value,
                                      const QVariant &defaultValue)
{
    const QString upper = key.toUpper();
    if (defaultValue.isValid() && value == defaultValue) {
        values_.remove(upper);
        order_.removeOne(upper);
        return;
    }
    if (!values_.contains(upper))
        order_.append(upper);
    values_.insert(upper, value);
}

namespace {

QString escaped(const QString &value)
{
    QString out;
    for (QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString unescaped(QStringView value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
    }
    return out;
}

} // namespace

FilePropertyBag::FilePropertyBag(const QString &path)
    : path_(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals > 0 ? line.first(equals).trimmed() : QStringView();
        if (key.isEmpty()) // no key, or one of spaces only: nothing a setting is stored under
            continue;
        writeProperty(key.toString(), unescaped(line.sliced(equals + 1)));
    }
}

bool FilePropertyBag::save() const
{
    QByteArray bytes;
    for (const QString &key : order_) {
        // Keys in lower case, unless that would read back as another key ("ϴ" lowers to "θ",
        // which raises to "Θ").
        const QString lower = key.toLower();
        bytes += ((lower.toUpper() == key ? lower : key) + u'=' +
                  escaped(values_.value(key).toString()) + u'\n')
                     .toUtf8();
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace tabstrip
