#pragma once

#include <QByteArray>
#include <QStringList>
#include <QStringView>

namespace tasks {

// Text as Tocklet writes it: GB18030, which is byte for byte GBK wherever GBK has the character
// and can also hold every other one.
QByteArray encodeText(QStringView text);

enum class BadLines {
    Skip,    // a line that cannot be decoded is left out
    Replace, // its undecodable bytes become U+FFFD
};

// Splits a text file into lines (CR LF, LF and a lone CR all end a line; a last line without an
// end counts) and decodes them: UTF-8 when the file starts with its byte-order mark or is valid
// UTF-8 beyond plain ASCII, otherwise GB18030, falling back to GBK (code page 936).
QStringList decodeLines(const QByteArray &bytes, BadLines badLines);

} // namespace tasks
