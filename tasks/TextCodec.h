#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <optional>

namespace tasks {

enum class Encoding { Utf8, Gb18030 };

// The character set that stands for the system's code page: GB18030 when the locale's codeset,
// or the codeset part of its name ("zh_CN.GBK"), is GB18030, GBK, GB2312 or EUC-CN; UTF-8
// otherwise, also for ASCII and unknown codesets (a locale that is not generated reads as ASCII).
Encoding encodingForLocale(QByteArrayView localeName, QByteArrayView codeset);

// encodingForLocale() of this process's environment, decided once.
Encoding localeEncoding();

// `text` in `encoding`. GB18030 is byte for byte GBK wherever GBK has the character and can
// also hold every other one; `euroAs80` writes "€" as code page 936's 0x80 (GB18030 has A2 E3),
// for a file that Windows' GBK reads.
QByteArray encodeText(QStringView text, Encoding encoding = Encoding::Gb18030,
                      bool euroAs80 = false);

// Whether every byte is ASCII.
bool isAscii(QByteArrayView bytes);

// Whether a line of GB18030 `bytes` reads only as GBK (code page 936's "€", 0x80).
bool hasGbkOnlyLine(QByteArrayView bytes);

// A whole text file in `encoding`, with UTF-8's byte-order mark when `bom` is set or when the
// reading rule would read the bytes otherwise; GB18030 that would not read back as written
// becomes UTF-8 with the mark. A file Tocklet wrote always reads back as exactly the text.
QByteArray encodeFile(QStringView text, Encoding encoding, bool bom = false,
                      Encoding tie = localeEncoding());

// How a text file is read, the one rule for every reader: UTF-8 after its byte-order mark;
// `tie` for plain ASCII; for bytes valid as UTF-8, the reading of the whole that looks more like
// a reminder file, `tie` when both look alike; otherwise the encoding most non-ASCII lines are
// valid in, GB18030 (falling back to GBK) when as many are not valid UTF-8 as are.
Encoding fileEncoding(QByteArrayView bytes, Encoding tie = localeEncoding());

// fileEncoding() decided as a file's bytes come: fed the file in pieces that each end at a line
// end (the last one as it ends), it answers as for the whole file.
class EncodingVote {
public:
    explicit EncodingVote(Encoding tie = localeEncoding())
        : tie_(tie)
    {
    }
    void add(QByteArrayView piece);
    Encoding result() const;
    bool bom() const { return bom_; }
    // False in one rare case, when the answer is the whole file's: bytes valid as UTF-8 whose
    // pieces read as GB18030 only with different converters (GBK for some).
    bool decided() const { return !(utf8_ && gb_ && mixed_); }

private:
    Encoding tie_;
    bool started_ = false, bom_ = false, ascii_ = true, utf8_ = true, gb_ = true, mixed_ = false;
    std::optional<int> gbReading_;
    qsizetype utf8Lines_ = 0, otherLines_ = 0, utf8Score_ = 0, gbScore_ = 0;
};

// One line of a file read in `encoding`. A line that encoding cannot read is read in the other
// one; in a GB18030 file, a line valid as UTF-8 is read as UTF-8 only when that looks clearly
// more like a reminder (a GBK script from Windows stays GBK on a UTF-8 desktop); bytes neither
// reads become U+FFFD in this line alone. A tie always goes to the file's encoding.
QString decodeLine(QByteArrayView line, Encoding encoding);

// GB18030 bytes read whole (GBK where only GBK reads them); false when neither does. `amongGb`:
// the bytes stand among GB18030 text (the reading is the same, only quicker when it is).
bool decodeGb(QByteArrayView bytes, QString &out, bool amongGb = false);

// decodeLine() of a line whose reading does not depend on the file's encoding: plain ASCII,
// or valid in one of the two encodings only. Nothing for any other line.
std::optional<QString> decodeLineOfAnyFile(QByteArrayView line);

// The lines of a text file read in `encoding` (see decodeLine).
QString decodeText(QByteArrayView bytes, Encoding encoding);

// Decodes a whole text file in its fileEncoding().
QString decodeText(QByteArrayView bytes);

namespace detail {
inline qsizetype indexOf(QStringView text, char c, qsizetype from)
{
    return text.indexOf(QChar::fromLatin1(c), from);
}
// memchr inline: QByteArrayView::indexOf(char) reaches it through Qt's out-of-line search for
// a string. A negative `from` counts from the end, as there.
inline qsizetype indexOf(QByteArrayView text, char c, qsizetype from)
{
    if (from < 0)
        from = std::max<qsizetype>(from + text.size(), 0);
    if (from >= text.size())
        return -1;
    const void *at = std::memchr(text.data() + from, c, size_t(text.size() - from));
    return at ? static_cast<const char *>(at) - text.data() : -1;
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
QStringList decodeLines(QByteArrayView bytes);

} // namespace tasks
