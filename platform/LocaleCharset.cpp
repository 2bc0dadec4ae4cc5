#include "LocaleCharset.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace platform {

LocaleCharset localeCharset()
{
    LocaleCharset charset;
#ifdef Q_OS_WIN
    // The ANSI code page: "CP936" on a Chinese Windows.
    charset.codeset = "CP" + QByteArray::number(uint(::GetACP()));
#else
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        charset.name = qgetenv(variable);
        if (!charset.name.isEmpty())
            break;
    }
    // A locale object of its own: the program's global locale is left as it is.
    if (const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", locale_t(nullptr))) {
        charset.codeset = ::nl_langinfo_l(CODESET, locale);
        ::freelocale(locale);
    }
#endif
    return charset;
}

} // namespace platform
