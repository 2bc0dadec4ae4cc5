#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace tabstrip {

// The host's store of a control's settings. Keys are matched without regard to case.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored value, or `defaultValue` when the key is missing.
    virtual QVariant readProperty(const QString &key, const QVariant &defaultValue) const = 0;
    // Stores `value`; a value equal to `defaultValue` is not stored (and an older one is dropped).
    virtual void writeProperty(const QString &key, const QVariant &value,
                               const QVariant &defaultValue = {}) = 0;
};

class MemoryPropertyBag : public PropertyBag {
public:
    QVariant readProperty(const QString &key, const QVariant &defaultValue) const override;
    void writeProperty(const QString &key, const QVariant &value,
                       const QVariant &defaultValue = {}) override;

    bool contains(const QString &key) const { return values_.contains(key.toUpper()); }
    // Keys in the order they were first written, upper case.
    const QStringList &keys() const { return order_; }

protected:
    QHash<QString, QVariant> values_;
    QStringList order_;
};

// Settings in a UTF-8 text file of "key=value" lines; backslash, CR and LF in values are
// escaped. Lines without "=" are ignored; the last of repeated keys wins.
class FilePropertyBag : public MemoryPropertyBag {
public:
    explicit FilePropertyBag(const QString &path);
    // Writes every stored setting in the order written; false when the file cannot be written.
    bool save() const;

private:
    QString path_;
};

} // namespace tabstrip
