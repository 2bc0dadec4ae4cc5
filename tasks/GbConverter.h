#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The system's GB18030 and GBK converters, which the text codec's tables and reading rule are
// built on: Qt's (ICU) on Linux, the system's code pages on Windows (a Qt without ICU has none).
namespace tasks::converter {

enum class Code { Gb18030, Gbk };

// `bytes` decoded strictly: false when the converter meets bytes it cannot map, a code cut off
// at the end included.
bool decode(Code code, QByteArrayView bytes, QString &out);

// GB18030 `bytes` decoded with U+FFFD for what cannot be mapped (a code cut off at the end is
// dropped without a mark).
QString decodeLossy(QByteArrayView bytes);

// The GB18030 bytes of `text`; empty when the converter cannot encode some character of it
// (a system with GBK alone).
QByteArray encode(QStringView text);

} // namespace tasks::converter
