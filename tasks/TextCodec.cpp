#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <memory>

namespace tasks {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

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

    out.resize(bytes.size());
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (b[i] < 0x80) {
            *p++ = b[i];
            continue;
        }
        if (b[i] == 0x80 || b[i] == 0xFF || i + 1 == n || b[i + 1] < 0x40 || b[i + 1] == 0x7F ||
            b[i + 1] == 0xFF)
            return false;
        quint32 &code = codes[(b[i] - 0x81) * kTrails + (b[i + 1] - 0x40)];
        if (code == kUnknown) {
            QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
            const QString one = decoder.decode(bytes.sliced(i, 2));
            code = !decoder.hasError() && one.size() == 1 ? one.front().unicode() | 0x20000u
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
struct GbCode {
    quint8 size = 0;
    char bytes[4];
};
const GbCode &gbCode(char16_t c)
{
    static thread_local std::unique_ptr<GbCode[]> codes;
    static thread_local QStringEncoder encoder("GB18030");
    if (!codes)
        codes = std::make_unique<GbCode[]>(0x10000);
    GbCode &code = codes[c];
    if (code.size == 0) {
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        code.size = quint8(std::min<qsizetype>(bytes.size(), 4));
        std::copy_n(bytes.data(), code.size, code.bytes);
    }
    return code;
}

// How much one reading of a file looks like the text of a reminder file, to choose between two
// readings of the same bytes. For it: GB2312's 3,755 common hanzi and its punctuation and
// full-width forms (rows B0-D7 and A1-A3), and, twice, an accented Latin letter beside an ASCII
// letter ("café"). Neutral: the signs U+00A0-U+00BF and general punctuation. Against it: any
// other character between two ASCII letters (a hanzi inside a word is a misreading), and every
// other character: rarer hanzi, a lone accented letter, Greek, Cyrillic, box drawing, control
// and private-use characters, anything beyond the BMP.
qsizetype readingScore(QStringView text)
{
    const auto asciiLetter = [&](qsizetype i) {
        return i >= 0 && i < text.size() && text[i].unicode() < 0x80 && text[i].isLetter();
    };
    qsizetype score = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            --score; // one character beyond the BMP (an emoji, a rare hanzi)
            ++i;
            continue;
        }
        const bool before = asciiLetter(i - 1), after = asciiLetter(i + 1);
        const GbCode &gb = QChar::isSurrogate(c) ? GbCode{} : gbCode(c);
        const auto lead = uchar(gb.bytes[0]), trail = uchar(gb.bytes[1]);
        if (c >= 0xC0 && c <= 0x24F && text[i].isLetter() && (before || after))
            score += 2;
        else if (before && after)
            --score;
        else if (gb.size == 2 && trail >= 0xA1 &&
                 ((lead >= 0xA1 && lead <= 0xA3) || (lead >= 0xB0 && lead <= 0xD7)))
            ++score;
        else if (!((c >= 0xA0 && c <= 0xBF) || (c >= 0x2000 && c <= 0x206F)))
            --score;
    }
    return score;
}

bool decodeGb(QByteArrayView bytes, QString &out)
{
    return decodeTwoByteGb18030(bytes, out) || tryDecode("GB18030", bytes, out) ||
           tryDecode("GBK", bytes, out);
}

} // namespace

QByteArray encodeText(QStringView text)
{
    // Surrogate pairs go to the converter each time; every other character is a table lookup.
    static thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    // At most four bytes a character.
    QByteArray out(text.size() * 4, Qt::Uninitialized);
    char *p = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *p++ = char(c);
        } else if (QChar::isSurrogate(c)) {
            const qsizetype n = QChar::isHighSurrogate(c) && i + 1 < text.size() ? 2 : 1;
            const QByteArray bytes = encoder.encode(text.sliced(i, n));
            p = std::copy_n(bytes.data(), std::min<qsizetype>(bytes.size(), 4 * n), p);
            i += n - 1;
        } else {
            const GbCode &code = gbCode(c);
            p = std::copy_n(code.bytes, code.size, p);
        }
    }
    out.truncate(p - out.data());
    return out;
}

QByteArray encodeFile(QStringView text)
{
    QByteArray bytes = encodeText(text);
    if (fileEncoding(bytes) == Encoding::Utf8)
        bytes = kUtf8Bom + text.toUtf8();
    return bytes;
}

Encoding fileEncoding(QByteArrayView bytes)
{
    // A byte-order mark is UTF-8's own: editors write it, and so does encodeFile.
    if (bytes.startsWith(kUtf8Bom))
        return Encoding::Utf8;
    // Plain ASCII reads the same either way; anything else that is not UTF-8 is GB18030, which
    // holds GBK and so the files of the program's earlier versions.
    if (isAscii(bytes) || !bytes.isValidUtf8())
        return Encoding::Gb18030;
    // Many GB18030 texts are valid UTF-8 byte for byte ("说" is CB B5, U+02F5 in UTF-8), and
    // some UTF-8 texts valid GB18030. Both readings are weighed (readingScore), and GB18030,
    // what Tocklet writes, wins a tie. Since encodeFile asks the same question of the bytes it
    // is about to write, and writes UTF-8 with the mark when the answer is UTF-8, a script
    // Tocklet wrote always reads back as written, whatever this weighing decides.
    QString gb;
    if (!decodeGb(bytes, gb))
        return Encoding::Utf8;
    return readingScore(QString::fromUtf8(bytes)) > readingScore(gb) ? Encoding::Utf8
                                                                     : Encoding::Gb18030;
}

QString decodeText(QByteArrayView bytes, Encoding encoding, BadLines badLines)
{
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes.startsWith(kUtf8Bom) ? bytes.sliced(3) : bytes);
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    if (decodeGb(bytes, text))
        return text;

    // Some lines are damaged: decode line by line so that the sound ones survive.
    text.clear();
    forEachLine(bytes, [&](QByteArrayView line) {
        QString decoded;
        if (tryDecode("GB18030", line, decoded) || tryDecode("GBK", line, decoded) ||
            badLines == BadLines::Replace)
            text += decoded + u'\n';
    });
    return text;
}

QString decodeText(const QByteArray &bytes, BadLines badLines)
{
    return decodeText(bytes, fileEncoding(bytes), badLines);
}

QStringList decodeLines(const QByteArray &bytes, BadLines badLines)
{
    const QString text = decodeText(bytes, badLines);
    QStringList lines;
    forEachLine(QStringView(text), [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

} // namespace tasks
