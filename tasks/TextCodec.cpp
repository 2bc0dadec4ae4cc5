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

// How much GB18030 bytes read like a Chinese reminder file: each code in GB2312's punctuation
// rows or among its 3,755 common hanzi counts for it, any other non-ASCII code against it.
qsizetype chineseScore(QByteArrayView gb)
{
    qsizetype score = 0;
    const auto *b = reinterpret_cast<const uchar *>(gb.data());
    for (qsizetype i = 0; i < gb.size();) {
        if (b[i] < 0x80) {
            ++i;
        } else if (i + 1 < gb.size() && b[i + 1] >= 0x30 && b[i + 1] <= 0x39) {
            --score; // a four-byte code
            i += 4;
        } else {
            score += (b[i] >= 0xA1 && b[i] <= 0xA3) || (b[i] >= 0xB0 && b[i] <= 0xD7) ? 1 : -1;
            i += 2;
        }
    }
    return score;
}

} // namespace

QByteArray encodeText(QStringView text)
{
    // GB18030 maps each character on its own, so the bytes of every BMP character are asked of
    // the converter once and kept; surrogate pairs go to the converter each time.
    struct Code {
        quint8 size = 0;
        char bytes[4];
    };
    static thread_local std::unique_ptr<Code[]> codes;
    static thread_local QStringEncoder encoder("GB18030");
    if (!codes)
        codes = std::make_unique<Code[]>(0x10000);

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
            Code &code = codes[c];
            if (code.size == 0) {
                const QByteArray bytes = encoder.encode(QStringView(&c, 1));
                code.size = quint8(std::min<qsizetype>(bytes.size(), 4));
                std::copy_n(bytes.data(), code.size, code.bytes);
            }
            p = std::copy_n(code.bytes, code.size, p);
        }
    }
    out.truncate(p - out.data());
    return out;
}

QByteArray encodeFile(QStringView text)
{
    QByteArray bytes = encodeText(text);
    const QByteArrayView view(bytes);
    if (!isAscii(view) && view.isValidUtf8() &&
        chineseScore(encodeText(QString::fromUtf8(view))) > chineseScore(view))
        bytes = kUtf8Bom + text.toUtf8();
    return bytes;
}

QString decodeText(const QByteArray &bytes, BadLines badLines)
{
    QByteArrayView view(bytes);
    if (view.startsWith(kUtf8Bom))
        return QString::fromUtf8(view.sliced(3));
    if (isAscii(view))
        return QString::fromLatin1(view);
    QString text;
    const bool gb = decodeTwoByteGb18030(view, text) || tryDecode("GB18030", view, text) ||
                    tryDecode("GBK", view, text);
    // Many GB18030 texts are valid UTF-8 too ("水" is CB AE, "ˮ" in UTF-8): the reading that
    // looks more like Chinese text wins, GB18030 (what Tocklet writes) on a tie.
    if (view.isValidUtf8()) {
        QString utf8 = QString::fromUtf8(view);
        if (!gb || chineseScore(encodeText(utf8)) > chineseScore(view))
            return utf8;
        return text;
    }
    if (gb)
        return text;

    // Some lines are damaged: decode line by line so that the sound ones survive.
    text.clear();
    forEachLine(view, [&](QByteArrayView line) {
        QString decoded;
        if (tryDecode("GB18030", line, decoded) || tryDecode("GBK", line, decoded) ||
            badLines == BadLines::Replace)
            text += decoded + u'\n';
    });
    return text;
}

QStringList decodeLines(const QByteArray &bytes, BadLines badLines)
{
    const QString text = decodeText(bytes, badLines);
    QStringList lines;
    forEachLine(QStringView(text), [&](QStringView line) { lines.append(line.toString()); });
    return lines;
}

} // namespace tasks
