// Fonts: a stand-in for the Windows font the window asks for.
#include "DesktopPlatform.h"

#include <QFont>

#include <fontconfig/fontconfig.h>

namespace platform {

void DesktopPlatform::standInFonts()
{
    // "宋体" (SimSun) is a Windows font. Where no installed font answers to the name, Qt would
    // draw the window's text in the desktop's default font and take only the Chinese characters
    // from a Chinese one: two fonts in one line, and a second font file read for the bold tab
    // caption. The font fontconfig gives that name for Chinese text stands in for it whole, as
    // SimSun holds the Latin letters and digits too (a real SimSun, or the desktop's alias for
    // it, is what fontconfig gives). A desktop without a Chinese font keeps Qt's choice.
    const char *const simSun = "宋体";
    const auto *const chinese = reinterpret_cast<const FcChar8 *>("zh-cn");
    FcPattern *pattern = FcPatternCreate();
    if (!pattern)
        return;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(simSun));
    FcPatternAddString(pattern, FC_LANG, chinese);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern *match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8 *family = nullptr;
        FcLangSet *languages = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            FcPatternGetLangSet(match, FC_LANG, 0, &languages) == FcResultMatch &&
            FcLangSetHasLang(languages, chinese) != FcLangDifferentLang)
            QFont::insertSubstitution(QString::fromUtf8(simSun),
                                      QString::fromUtf8(reinterpret_cast<const char *>(family)));
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
}

} // namespace platform
