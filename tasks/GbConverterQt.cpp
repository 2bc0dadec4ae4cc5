#include "GbConverter.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tasks::converter {

bool decode(Code code, QByteArrayView bytes, QString &out)
{
    // Stateless: a sequence cut off at the end is an error, not held back for more input.
    QStringDecoder decoder(code == Code::Gb18030 ? "GB18030" : "GBK",
                           QStringConverter::Flag::Stateless);
    out = decoder.decode(bytes);
    return decoder.isValid() && !decoder.hasError();
}

QString decodeLossy(QByteArrayView bytes)
{
    return QStringDecoder("GB18030", QStringConverter::Flag::Stateless).decode(bytes);
}

QByteArray encode(QStringView text)
{
    static thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace tasks::converter
