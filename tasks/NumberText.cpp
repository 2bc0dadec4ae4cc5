#include "NumberText.h"
#include "Spaces.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace tasks {

std::optional<double> parseNumber(QStringView text)
{
    // Fast path for the common case, a short unsigned whole number: exact in a double.
    if (!text.isEmpty() && text.size() <= 15) {
        std::int64_t whole = 0;
        bool digits = true;
        for (QChar c : text) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            whole = whole * 10 + (c.unicode() - u'0');
        }
        if (digits)
            return double(whole);
    }

    text = trimSpaces(text);
    qsizetype i = 0;
    const qsizetype end = text.size();
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // from_chars reads bytes: copy the checked characters, on the stack when they fit.
    const auto length = size_t(end - i);
    std::array<char, 64> small;
    std::string large;
    char *ascii = small.data();
    if (length > small.size()) {
        large.resize(length);
        ascii = large.data();
    }
    bool digit = false;
    bool point = false;
    for (size_t k = 0; k < length; ++k) {
        const char16_t c = text[i + qsizetype(k)].unicode();
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return std::nullopt;
        ascii[k] = char(c);
    }
    if (!digit)
        return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii, ascii + length, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != ascii + length || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

void appendNumberText(QString &out, double value)
{
    if (value == 0) {
        out += u'0';
        return;
    }
    // Fixed notation of a double needs at most 309 integer digits or 327 fraction digits.
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    out += QLatin1StringView(buffer.data(), result.ptr - buffer.data());
}

QString numberText(double value)
{
    QString text;
    appendNumberText(text, value);
    return text;
}

} // namespace tasks
