#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace tasks {

// Text as Tocklet writes it: GB18030, which is byte for byte GBK wherever GBK has the character
// and can also hold every other one.
QByteArray encodeText(QStringView text);

// A whole text file as Tocklet writes it: GB18030, unless those bytes would be read as UTF-8
// (see fileEncoding); then UTF-8 with its byte-order mark, so that the file always reads back as
// exactly the text written.
QByteArray encodeFile(QStringView text);

enum class Encoding { Utf8, Gb18030 };

// How a text file's bytes are read, the one rule for every reader of a script: UTF-8 when they
// start with its byte-order mark, GB18030 (falling back to GBK) when they are not valid UTF-8,
// and for bytes valid both ways the reading that looks more like a reminder file, GB18030 on a tie.
Encoding fileEncoding(QByteArrayView bytes);

enum class BadLines {
    Skip,    // a line that cannot be decoded is left out
    Replace, // its undecodable bytes become U+FFFD
};

// Decodes text in `encoding` (a leading byte-order mark is dropped from UTF-8); line ends are
// kept. GB18030 falls back to GBK (code page 936), and bytes neither can read are handled by
// `badLines`.
QString decodeText(QByteArrayView bytes, Encoding encoding, BadLines badLines);

// Decodes a whole text file in its fileEncoding().
QString decodeText(const QByteArray &bytes, BadLines badLines);

namespace detail {
inline qsizetype indexOf(QStringView text, char c, qsizetype from)
{
    return text.indexOf(QChar::fromLatin1(c), from);
}
inline qsizetype indexOf(QByteArrayView text, char c, qsizetype from)
{
    return text.indexOf(c, from);
}
} // namespace detail

// Calls `fn` with each line of `text`: CR LF, LF and a lone CR all end a line, and a last line
// without an end counts.
template <typename View, typename Fn> void forEachLine(View text, Fn &&fn)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype cr = -2; // next CR at or after start; -1 when there is none left
    qsizetype lf = -2;
    while (start < n) {
        if (cr != -1 && cr < start)
            cr = detail::indexOf(text, '\r', start);
        if (lf != -1 && lf < start)
            lf = detail::indexOf(text, '\n', start);
        const qsizetype end = cr == -1 ? lf : lf == -1 ? cr : std::min(cr, lf);
        if (end == -1) {
            fn(text.sliced(start));
            return;
        }
        fn(text.sliced(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < n && text[start] == '\n')
            ++start;
    }
}

// The decoded lines of a text file.
QStringList decodeLines(const QByteArray &bytes, BadLines badLines);

} // namespace tasks
