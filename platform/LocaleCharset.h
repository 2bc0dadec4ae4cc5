#pragma once

#include <QByteArray>

namespace platform {

// The user's character set as the environment names it: the locale's name (LC_ALL, else
// LC_CTYPE, else LANG) and the codeset the C library gives for it ("ANSI_X3.4-1968" when the
// locale is not generated on this machine). On Windows no name, and the ANSI code page as the
// codeset ("CP936").
struct LocaleCharset {
    QByteArray name;
    QByteArray codeset;
};
LocaleCharset localeCharset();

} // namespace platform
