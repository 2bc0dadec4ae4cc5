#include <DesktopPlatform.h>

#include <gtest/gtest.h>

#include <QRawFont>

namespace {

// 宋体, regular and bold (the active tab), draws its Chinese and its Latin
// characters from one installed font, not from the default font with a Chinese fallback.
TEST(DesktopFont, SimSunStandsInAsOneFontThatHoldsChinese)
{
    platform::DesktopPlatform::standInFonts();
    for (const bool bold : {false, true}) {
        QFont simSun(QStringLiteral("宋体"), 9);
        simSun.setBold(bold);
        const QRawFont primary = QRawFont::fromFont(simSun); // the first font, no fallback
        for (const char32_t c : {U'常', U'规', U'提', U'醒', U'A', U'0', U':'})
            EXPECT_TRUE(primary.supportsCharacter(c))
                << primary.familyName().toStdString() << (bold ? " bold" : "") << ", U+" << std::hex
                << quint32(c);
    }
}

} // namespace
