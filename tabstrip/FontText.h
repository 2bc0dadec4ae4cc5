#pragma once

#include <QFont>
#include <QString>

#include <optional>

namespace tabstrip {

// Copies the attributes of `source` into `destination` in a fixed order, the weight last, so
// the destination ends with the source's weight even where bold and weight disagree.
void copyFont(QFont &destination, const QFont &source);

struct StoredFont {
    QFont font;
    int charset = 1;
};

// A font as a stored setting: "size,bold,italic,underline,strikeout,weight,charset,family"
// (size in points, flags 0 or 1, weight 100..900).
QString fontText(const QFont &font, int charset);
std::optional<StoredFont> fontFromText(const QString &text);

} // namespace tabstrip
