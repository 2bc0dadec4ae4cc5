// Fonts: a stand-in for the Windows font the window asks for, and every font drawn as the
// desktop's font configuration says.
#include "DesktopPlatform.h"

#include <QFont>

#include <fontconfig/fontconfig.h>

namespace platform {

void DesktopPlatform::standInFonts()
{
    // A font's configuration may turn its hinting off (WenQuanYi Micro Hei's package does: the
    // font is drawn unhinted). Qt 6.4 reads only the hint style and so still hints it, with
    // FreeType's autohinter; cairo, and so GTK, take "hinting off" as hint style none. This
    // rule, after the desktop's own, makes Qt do the same in this program. Added once.
    [[maybe_unused]] static const bool unhinted = [] {
        static const char rule[] = R"(<fontconfig><match target="font">
            <test name="hinting"><bool>false</bool></test>
            <edit name="hintstyle" mode="assign"><const>hintnone</const></edit>
        </match></fontconfig>)";
        return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                              reinterpret_cast<const FcChar8 *>(rule), FcFalse);
    }();

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
