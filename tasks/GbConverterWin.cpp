#include "GbConverter.h"

#include <windows.h>

// Windows' code pages: 54936 is GB18030, 936 is GBK. A system without 54936 (Wine) has GBK
// alone, which lacks GB18030's four-byte codes: those read as errors and cannot be written.
namespace tasks::converter {

namespace {

UINT codePage(Code code)
{
    static const UINT gb18030 = ::IsValidCodePage(54936) ? 54936 : 936;
    return code == Code::Gb18030 ? gb18030 : 936;
}

bool toUtf16(UINT page, DWORD flags, QByteArrayView bytes, QString &out)
{
    out.clear();
    if (bytes.isEmpty())
        return true;
    const int size = int(bytes.size());
    const int n = ::MultiByteToWideChar(page, flags, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    out.resize(n);
    return ::MultiByteToWideChar(page, flags, bytes.data(), size,
                                 reinterpret_cast<wchar_t *>(out.data()), n) == n;
}

} // namespace

bool decode(Code code, QByteArrayView bytes, QString &out)
{
    return toUtf16(codePage(code), MB_ERR_INVALID_CHARS, bytes, out);
}

QString decodeLossy(QByteArrayView bytes)
{
    QString out;
    if (toUtf16(codePage(Code::Gb18030), MB_ERR_INVALID_CHARS, bytes, out))
        return out;
    // Code by code, as ICU reads: U+FFFD for a code that cannot be mapped (the next byte starts
    // again), nothing for one cut off at the end. Windows itself would give "?" for both.
    out.clear();
    const auto at = [&](qsizetype i) { return i < bytes.size() ? uchar(bytes[i]) : 0; };
    for (qsizetype i = 0; i < bytes.size();) {
        // 0x80 and 0xFF begin no code of two or four bytes: digits after them stay digits.
        const qsizetype size = at(i) < 0x81 || at(i) == 0xFF            ? 1
                               : at(i + 1) >= 0x30 && at(i + 1) <= 0x39 ? 4
                                                                        : 2;
        // A code cut off at the end is dropped; bytes that could begin no code are not one.
        const bool couldBegin =
            size < 4 || i + 2 >= bytes.size() || (at(i + 2) >= 0x81 && at(i + 2) <= 0xFE);
        if (i + size > bytes.size() && couldBegin)
            break;
        QString one;
        if (i + size <= bytes.size() &&
            toUtf16(codePage(Code::Gb18030), MB_ERR_INVALID_CHARS, bytes.sliced(i, size), one)) {
            out += one;
            i += size;
        } else {
            out += QChar::ReplacementCharacter;
            ++i;
        }
    }
    return out;
}

QByteArray encode(QStringView text)
{
    if (text.isEmpty())
        return {};
    const UINT page = codePage(Code::Gb18030);
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size = int(text.size());
    // GBK maps what it lacks to "?" (or its best fit) silently unless asked; GB18030 maps a lone
    // surrogate to U+FFFD's code unless asked (a flag 936 refuses).
    BOOL lossy = FALSE;
    const DWORD flags = page == 936 ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
    BOOL *used = page == 936 ? &lossy : nullptr;
    const int n = ::WideCharToMultiByte(page, flags, wide, size, nullptr, 0, nullptr, used);
    if (n <= 0 || lossy)
        return {};
    QByteArray out(n, Qt::Uninitialized);
    if (::WideCharToMultiByte(page, flags, wide, size, out.data(), n, nullptr, nullptr) != n)
        return {};
    return out;
}

} // namespace tasks::converter
