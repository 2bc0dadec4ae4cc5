#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tasks {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

template <typename View, typename Fn> void forEachLine(View text, Fn &&fn)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        fn(text.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        fn(text.sliced(start));
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// Decodes `bytes` strictly; returns false when the converter met bytes it cannot map.
bool tryDecode(const char *encoding, QByteArrayView bytes, QString &out)
{
    // Stateless: a sequence cut off at the end is an error, not held back for more input.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    out = decoder.decode(bytes);
    return decoder.isValid() && !decoder.hasError();
}

} // namespace

QByteArray encodeText(QStringView text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QStringList decodeLines(const QByteArray &bytes, BadLines badLines)
{
    QByteArrayView view(bytes);
    if (view.startsWith(kUtf8Bom))
        return splitLines(QString::fromUtf8(view.sliced(3)));
    if (isAscii(view))
        return splitLines(QString::fromLatin1(view));

    QString text;
    if (tryDecode("UTF-8", view, text) || tryDecode("GB18030", view, text) ||
        tryDecode("GBK", view, text))
        return splitLines(text);

    // Some lines are damaged: decode line by line so that the sound ones survive.
    QStringList lines;
    forEachLine(view, [&](QByteArrayView line) {
        QString decoded;
        if (tryDecode("GB18030", line, decoded) || tryDecode("GBK", line, decoded) ||
            badLines == BadLines::Replace)
            lines.append(decoded);
    });
    return lines;
}

} // namespace tasks

