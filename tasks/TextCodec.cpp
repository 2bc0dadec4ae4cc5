#include "TextCodec.h"

#include <LocaleCharset.h>

#include "GbConverter.h"

#include <algorithm>
#include <memory>

namespace tasks {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// GB18030 for text made of ASCII and two-byte codes, the bulk of any Chinese script: each code
// is asked of the converter once and kept. Anything else (four-byte codes, damaged bytes)
// returns false and is left to the converter.
bool decodeTwoByteGb18030(QByteArrayView bytes, QString &out)
{
    constexpr int kTrails = 0xFF - 0x40;
    constexpr quint32 kUnknown = 0, kUnusable = 0x10000;
    static thread_local std::unique_ptr<quint32[]> codes;
    if (!codes)
        codes = std::make_unique<quint32[]>(0x7E * kTrails);
    quint32 *const table = codes.get(); // the thread's own, looked up once

    out.resize(bytes.size());
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar lead = b[i];
        if (lead < 0x80) {
            *p++ = lead;
            continue;
        }
        if (lead == 0x80 || lead == 0xFF || i + 1 == n)
            return false;
        const uchar trail = b[i + 1];
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
        quint32 &code = table[(lead - 0x81) * kTrails + (trail - 0x40)];
        if (code == kUnknown) {
            QString one;
            code = converter::decode(converter::Code::Gb18030, bytes.sliced(i, 2), one) &&
                           one.size() == 1
                       ? one.front().unicode() | 0x20000u
                       : kUnusable;
        }
        if (code == kUnusable)
            return false;
        *p++ = char16_t(code & 0xFFFF);
        ++i;
    }
    out.truncate(p - reinterpret_cast<char16_t *>(out.data()));
    return true;
}

// The GB18030 bytes of a BMP character other than a surrogate. GB18030 maps each character on
// its own, so each is asked of the converter once and kept.
// A character the converter cannot encode (GBK alone has no four-byte codes) is kept as "?",
// and `lost` says so.
struct GbCode {
    quint8 size = 0;
    bool lost = false;
    char bytes[4];
};
const GbCode &gbCode(char16_t c)
{
    static thread_local std::unique_ptr<GbCode[]> codes;
    if (!codes)
        codes = std::make_unique<GbCode[]>(0x10000);
    GbCode &code = codes[c];
    if (code.size == 0) {
        const QByteArray bytes = converter::encode(QStringView(&c, 1));
        code.lost = bytes.isEmpty();
        code.size = code.lost ? 1 : quint8(std::min<qsizetype>(bytes.size(), 4));
        std::copy_n(code.lost ? "?" : bytes.data(), code.size, code.bytes);
    }
    return code;
}

// How much one reading of a file looks like the text of a reminder file, to choose between two
// readings of the same bytes. For it: GB2312's 3,755 common hanzi and its punctuation, signs and
// full-width forms (rows B0-D7 and A1-A3, "°" and "±" among them); twice, an accented Latin
// letter beside an ASCII letter ("café"); a Greek or Cyrillic letter beside another. Neutral:
// the other signs U+00A0-U+00BF and general punctuation. Against it: any other character between
// two ASCII letters or digits (a hanzi inside a word or a number is a misreading: "180掳C"), and
// every other character: rarer hanzi, a lone accented letter, box drawing, control and
// private-use characters, anything beyond the BMP.
qsizetype readingScore(QStringView text)
{
    const auto at = [&](qsizetype i) { return i >= 0 && i < text.size() ? text[i] : QChar(); };
    const auto asciiLetter = [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); };
    const auto asciiWord = [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); };
    const auto greekOrCyrillic = [](QChar c) {
        return c.unicode() >= 0x370 && c.unicode() <= 0x52F && c.isLetter();
    };
    qsizetype score = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x80)
            continue;
        if (c.isHighSurrogate() && at(i + 1).isLowSurrogate()) {
            --score; // one character beyond the BMP (an emoji, a rare hanzi)
            ++i;
            continue;
        }
        const QChar before = at(i - 1), after = at(i + 1);
        const GbCode &gb = c.isSurrogate() ? GbCode{} : gbCode(u);
        const auto lead = uchar(gb.bytes[0]), trail = uchar(gb.bytes[1]);
        const bool common = gb.size == 2 && trail >= 0xA1 &&
                            ((lead >= 0xA1 && lead <= 0xA3) || (lead >= 0xB0 && lead <= 0xD7));
        const bool sign = (u >= 0xA0 && u <= 0xBF) || (u >= 0x2000 && u <= 0x206F);
        if (u >= 0xC0 && u <= 0x24F && c.isLetter() && (asciiLetter(before) || asciiLetter(after)))
            score += 2;
        else if (greekOrCyrillic(c) && (greekOrCyrillic(before) || greekOrCyrillic(after)))
            ++score;
        else if (sign)
            score += common ? 1 : 0;
        else if (asciiWord(before) && asciiWord(after))
            --score;
        else
            score += common ? 1 : -1;
    }
    return score;
}

// Whether GB18030 or GBK bytes end with a whole code: the converter drops a lead byte cut off
// at the end without a word.
bool endsWhole(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size())
        i += uchar(bytes[i]) >= 0x81 && uchar(bytes[i]) <= 0xFE ? 2 : 1;
    return i == bytes.size();
}

// Whether the bytes have GB18030's shape (one-, two- and four-byte codes), a quick test before
// the converters, which would read a long UTF-8 file to its end to find that they cannot.
bool gbShaped(QByteArrayView bytes)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (b[i] < 0x80 || b[i] == 0x80 || b[i] == 0xFF) // 0x80 and 0xFF: code page 936's own
            continue;
        if (i + 1 < n && b[i + 1] >= 0x40 && b[i + 1] != 0x7F && b[i + 1] != 0xFF)
            ++i;
        else if (i + 3 < n && b[i + 1] >= 0x30 && b[i + 1] <= 0x39 && b[i + 2] >= 0x81 &&
                 b[i + 2] <= 0xFE && b[i + 3] >= 0x30 && b[i + 3] <= 0x39)
            i += 3;
        else
            return false;
    }
    return true;
}

enum class GbReading { None, Gb18030, Gbk };

GbReading readGb(QByteArrayView bytes, QString &out)
{
    if (!gbShaped(bytes))
        return GbReading::None;
    if (decodeTwoByteGb18030(bytes, out) || converter::decode(converter::Code::Gb18030, bytes, out))
        return GbReading::Gb18030;
    return endsWhole(bytes) && converter::decode(converter::Code::Gbk, bytes, out)
               ? GbReading::Gbk
               : GbReading::None;
}

} // namespace

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

bool hasGbkOnlyLine(QByteArrayView bytes)
{
    if (detail::indexOf(bytes, '\x80', 0) < 0)
        return false;
    bool found = false;
    QString text;
    forEachLine(bytes, [&](QByteArrayView line) {
        found = found ||
                (detail::indexOf(line, '\x80', 0) >= 0 && readGb(line, text) == GbReading::Gbk);
    });
    return found;
}

bool decodeGb(QByteArrayView bytes, QString &out, bool amongGb)
{
    // Two-byte text has GB18030's shape: among GB18030 the table goes first.
    return (amongGb && decodeTwoByteGb18030(bytes, out)) || readGb(bytes, out) != GbReading::None;
}

namespace {

// The reading of `bytes` that looks more like a reminder file: UTF-8 or GB18030, `tie` when
// both look alike. The bytes are valid UTF-8.
Encoding weigh(QByteArrayView bytes, Encoding tie)
{
    QString gb;
    if (!decodeGb(bytes, gb))
        return Encoding::Utf8;
    const qsizetype utf8 = readingScore(QString::fromUtf8(bytes)), other = readingScore(gb);
    return utf8 > other ? Encoding::Utf8 : other > utf8 ? Encoding::Gb18030 : tie;
}

// Whether every line of GB18030 `bytes` reads back as GB18030 in a GB18030 file: a line that
// is also valid UTF-8 must not look more like UTF-8.
bool linesReadAsGb18030(QByteArrayView bytes)
{
    bool all = true;
    forEachLine(bytes, [&](QByteArrayView line) {
        if (all && !isAscii(line) && line.isValidUtf8())
            all = weigh(line, Encoding::Gb18030) == Encoding::Gb18030;
    });
    return all;
}

// `whole` is cleared when some character could not be encoded and stands as "?".
QByteArray toGb18030(QStringView text, bool *whole = nullptr, bool euroAs80 = false)
{
    // Surrogate pairs go to the converter each time; every other character is a table lookup.
    // At most four bytes a character.
    QByteArray out(text.size() * 4, Qt::Uninitialized);
    char *p = out.data();
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *p++ = char(c);
        } else if (c == 0x20AC && euroAs80) {
            *p++ = '\x80';
        } else if (QChar::isSurrogate(c)) {
            const qsizetype n = QChar::isHighSurrogate(c) && i + 1 < text.size() ? 2 : 1;
            QByteArray bytes = converter::encode(text.sliced(i, n));
            if (bytes.isEmpty())
                bytes = "?", lost = true;
            p = std::copy_n(bytes.data(), std::min<qsizetype>(bytes.size(), 4 * n), p);
            i += n - 1;
        } else {
            const GbCode &code = gbCode(c);
            p = std::copy_n(code.bytes, code.size, p);
            lost |= code.lost;
        }
    }
    out.truncate(p - out.data());
    if (whole)
        *whole = !lost;
    return out;
}

bool isGbCodeset(QByteArrayView codeset)
{
    QByteArray name = codeset.toByteArray().toUpper();
    name.replace('-', "").replace('_', "");
    return name == "GB18030" || name == "GBK" || name == "GB2312" || name == "EUCCN" ||
           name == "CP936";
}

} // namespace

Encoding encodingForLocale(QByteArrayView localeName, QByteArrayView codeset)
{
    // "zh_CN.GBK@modifier": the part between the point and the "@".
    QByteArrayView named;
    if (const qsizetype dot = localeName.indexOf('.'); dot >= 0) {
        named = localeName.sliced(dot + 1);
        if (const qsizetype at = named.indexOf('@'); at >= 0)
            named.truncate(at);
    }
    return isGbCodeset(codeset) || isGbCodeset(named) ? Encoding::Gb18030 : Encoding::Utf8;
}

Encoding localeEncoding()
{
    static const Encoding encoding = [] {
        const platform::LocaleCharset charset = platform::localeCharset();
        return encodingForLocale(charset.name, charset.codeset);
    }();
    return encoding;
}

QByteArray encodeText(QStringView text, Encoding encoding, bool euroAs80)
{
    return encoding == Encoding::Utf8 ? text.toUtf8() : toGb18030(text, nullptr, euroAs80);
}

QByteArray encodeFile(QStringView text, Encoding encoding, bool bom, Encoding tie)
{
    if (encoding == Encoding::Gb18030 && !bom) {
        bool whole = true;
        QByteArray bytes = toGb18030(text, &whole);
        if (whole && (isAscii(bytes) ||
                      (fileEncoding(bytes, tie) == Encoding::Gb18030 && linesReadAsGb18030(bytes))))
            return bytes;
        // These bytes would read as other text, or lack a character the system's GBK cannot
        // write: UTF-8 says it unmistakably.
        bom = true;
    }
    QByteArray bytes = text.toUtf8();
    if (bom || (!isAscii(bytes) && fileEncoding(bytes, tie) != Encoding::Utf8))
        bytes.prepend(kUtf8Bom);
    return bytes;
}

void EncodingVote::add(QByteArrayView piece)
{
    if (!started_)
        started_ = true, bom_ = piece.startsWith(kUtf8Bom);
    // A byte-order mark is UTF-8's own: editors write it, and so does encodeFile. Plain ASCII
    // reads the same either way.
    if (bom_ || isAscii(piece))
        return;
    ascii_ = false;
    // Lines of both kinds (a UTF-8 line appended to a GBK script by a shell): the file is what
    // most of its lines are; each line is read in whichever encoding reads it (decodeLine). A
    // line that reads both ways counts as it would be read in a GB18030 file, so that GBK lines
    // that happen to be valid UTF-8 ("学习") never outvote the file's own.
    const bool utf8 = piece.isValidUtf8();
    forEachLine(piece, [&](QByteArrayView line) {
        if (!isAscii(line))
            ++((utf8 || line.isValidUtf8()) && weigh(line, Encoding::Gb18030) == Encoding::Utf8
                   ? utf8Lines_
                   : otherLines_);
    });
    // Many GB18030 texts are valid UTF-8 byte for byte ("说" is CB B5, U+02F5 in UTF-8), and
    // some UTF-8 texts valid GB18030: while the bytes are valid UTF-8 both readings are weighed
    // (the score adds up line by line). Since encodeFile asks the same question of the bytes it
    // is about to write, a script Tocklet wrote always reads back as written, whatever this
    // weighing decides.
    utf8_ = utf8_ && utf8;
    QString gb;
    if (utf8_ && gb_) {
        const GbReading reading = readGb(piece, gb);
        gb_ = reading != GbReading::None;
        // The whole is read by one converter: pieces that needed different ones leave the
        // answer to the whole file.
        mixed_ = mixed_ || (gbReading_ && *gbReading_ != int(reading) && gb_);
        if (gb_) {
            gbReading_ = int(reading);
            utf8Score_ += readingScore(QString::fromUtf8(piece));
            gbScore_ += readingScore(gb);
        }
    }
}

Encoding EncodingVote::result() const
{
    if (bom_)
        return Encoding::Utf8;
    if (ascii_)
        return tie_;
    if (utf8_ && !gb_)
        return Encoding::Utf8;
    if (utf8_)
        return utf8Score_ > gbScore_   ? Encoding::Utf8
               : gbScore_ > utf8Score_ ? Encoding::Gb18030
                                       : tie_;
    return utf8Lines_ > otherLines_ ? Encoding::Utf8 : Encoding::Gb18030;
}

Encoding fileEncoding(QByteArrayView bytes, Encoding tie)
{
    EncodingVote vote(tie);
    vote.add(bytes);
    return vote.result();
}

QString decodeLine(QByteArrayView line, Encoding encoding)
{
    QString text;
    if (isAscii(line))
        return QString::fromLatin1(line);
    const bool utf8 = line.isValidUtf8();
    if (encoding == Encoding::Utf8 && utf8)
        return QString::fromUtf8(line);
    if (decodeGb(line, text))
        return utf8 && weigh(line, encoding) == Encoding::Utf8 ? QString::fromUtf8(line) : text;
    if (utf8)
        return QString::fromUtf8(line);
    // Neither reads it all: the reading that looks better, its bad bytes as U+FFFD.
    const QString asUtf8 = QString::fromUtf8(line);
    text = converter::decodeLossy(line);
    if (!endsWhole(line)) // which the converter drops without a mark
        text += QChar::ReplacementCharacter;
    const qsizetype gbScore = readingScore(text), utf8Score = readingScore(asUtf8);
    return utf8Score > gbScore || (utf8Score == gbScore && encoding == Encoding::Utf8) ? asUtf8
                                                                                       : text;
}

std::optional<QString> decodeLineOfAnyFile(QByteArrayView line)
{
    // Only a line that reads both as UTF-8 and as GB18030 is read after the file's encoding.
    QString text;
    if (isAscii(line))
        return QString::fromLatin1(line);
    const bool gb = decodeGb(line, text);
    if (line.isValidUtf8())
        return gb ? std::nullopt : std::optional(QString::fromUtf8(line));
    return gb ? std::optional(text) : std::nullopt;
}

QString decodeText(QByteArrayView bytes, Encoding encoding)
{
    if (bytes.startsWith(kUtf8Bom))
        bytes = bytes.sliced(3);
    // The common cases whole: UTF-8 that is valid throughout, and GB18030 with no line that is
    // also valid UTF-8.
    if (encoding == Encoding::Utf8 && bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text;
    if (encoding == Encoding::Gb18030) {
        bool utf8Line = false;
        forEachLine(bytes, [&](QByteArrayView line) {
            utf8Line = utf8Line || (line.isValidUtf8() && !isAscii(line));
        });
        if (!utf8Line && decodeGb(bytes, text))
            return text;
    }
    text.clear(); // what a failed whole reading left
    text.reserve(bytes.size() + 1);
    forEachLine(bytes, [&](QByteArrayView line) { text += decodeLine(line, encoding) + u'\n'; });
    return text;
}

QString decodeText(QByteArrayView bytes)
{
    return decodeText(bytes, fileEncoding(bytes));
}

QStringList decodeLines(QByteArrayView bytes)
{
    const QString text = decodeText(bytes);
    QStringList lines;
    forEachLine(QStringView(text), [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

} // namespace tasks
