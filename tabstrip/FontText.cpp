#include "FontText.h"

#include <QStringList>

#include <algorithm>

namespace tabstrip {

void copyFont(QFont &destination, const QFont &source)
{
    destination.setItalic(source.italic());
    destination.setFamily(source.family());
    if (source.pointSizeF() > 0)
        destination.setPointSizeF(source.pointSizeF());
    else if (source.pixelSize() > 0)
        destination.setPixelSize(source.pixelSize());
    destination.setStrikeOut(source.strikeOut());
    destination.setUnderline(source.underline());
    destination.setWeight(source.weight()); // bold with it
}

QString fontText(const QFont &font, int charset)
{
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8")
        .arg(size)
        .arg(int(font.bold()))
        .arg(int(font.italic()))
        .arg(int(font.underline()))
        .arg(int(font.strikeOut()))
        .arg(int(font.weight()))
        .arg(charset)
        .arg(font.family());
}

std::optional<StoredFont> fontFromText(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() < 8)
        return std::nullopt;
    bool ok[7];
    const double size = parts[0].toDouble(&ok[0]);
    const int flags[4] = {parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]), parts[3].toInt(&ok[3]),
                          parts[4].toInt(&ok[4])};
    const int weight = parts[5].toInt(&ok[5]);
    const int charset = parts[6].toInt(&ok[6]);
    for (bool b : ok) {
        if (!b)
            return std::nullopt;
    }
    StoredFont stored;
    stored.font.setFamily(parts.mid(7).join(u','));
    stored.font.setPointSizeF(size > 0 && size < 1000 ? size : 9);
    stored.font.setItalic(flags[1] != 0);
    stored.font.setUnderline(flags[2] != 0);
    stored.font.setStrikeOut(flags[3] != 0);
    stored.font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000))); // the weight alone says bold
    stored.charset = charset;
    return stored;
}

} // namespace tabstrip
