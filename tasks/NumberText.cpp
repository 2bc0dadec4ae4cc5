#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace tasks {

std::optional<double> parseNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    qsizetype end = n;
    while (end > i && text[end - 1] == u' ')
        --end;

    std::string ascii;
    ascii.reserve(size_t(end - i));
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    bool digit = false;
    bool point = false;
    for (; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            digit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
        ascii += char(c);
    }
    if (!digit)
        return std::nullopt;

    double value = 0;
    const char *first = ascii.data() + (ascii.front() == '-' ? 1 : 0);
    const auto [ptr, ec] = std::from_chars(first, ascii.data() + ascii.size(), value,
                                           std::chars_format::fixed);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return ascii.front() == '-' ? -value : value;
}

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    // Fixed notation of a double needs at most 309 integer digits or 327 fraction digits.
    std::array<char, 400> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

} // namespace tasks
