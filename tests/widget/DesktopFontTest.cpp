#include <DesktopPlatform.h>
#include <linux/x11/SoundSettings.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDataStream>
#include <QImage>
#include <QLibrary>
#include <QPainter>
#include <QRawFont>
#include <QTest>
#include <QTimer>

#include <fontconfig/fontconfig.h>

using namespace Qt::StringLiterals;

// Loaded before the program looks for libcanberra, the stand-in is the library it finds.
static const bool fakeCanberra = QLibrary(QStringLiteral(FAKE_CANBERRA)).load();

// Regular and bold (the active tab), Chinese and Latin alike, from the first font: no fallback.
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

// As GTK draws it, where the desktop's font configuration turns hinting off (宋体's stand-in here).
TEST(DesktopFont, UnhintedFontsAreDrawnUnhinted)
{
    platform::DesktopPlatform::standInFonts();
    const QString family = QFont::substitute(QStringLiteral("宋体"));
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(qUtf8Printable(family)));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern), FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcBool hinting = FcTrue;
    const bool hinted =
        !match || FcPatternGetBool(match, FC_HINTING, 0, &hinting) != FcResultMatch || hinting;
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (hinted)
        GTEST_SKIP() << family.toStdString() << " is configured hinted here";

    const auto drawn = [&](QFont::HintingPreference hinting, bool bold) {
        QFont font(QStringLiteral("宋体"), 9);
        font.setBold(bold), font.setHintingPreference(hinting);
        QImage image(160, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("限定时间 常规 0:59"));
        return image;
    };
    for (const bool bold : {false, true}) {
        EXPECT_TRUE(drawn(QFont::PreferDefaultHinting, bold) == drawn(QFont::PreferNoHinting, bold))
            << (bold ? "bold" : "regular") << " text drawn hinted";
        // Hinting shows at this size: the comparison above can tell the two apart.
        EXPECT_FALSE(drawn(QFont::PreferVerticalHinting, bold) ==
                     drawn(QFont::PreferNoHinting, bold));
    }
}

// The desktop's event-sound settings as its settings daemon publishes them, in either byte order,
// among settings of every type; a list cut short keeps what came whole: "enabled theme".
TEST(DesktopSound, ReadsTheDesktopsEventSoundSettings)
{
    for (const auto order : {QDataStream::LittleEndian, QDataStream::BigEndian}) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(order);
        const auto padded = [&](const QByteArray &text) {
            out.writeRawData(text.constData(), int(text.size()));
            out.writeRawData("\0\0\0", int(-text.size() & 3));
        };
        const auto setting = [&](quint8 type, const QByteArray &name) {
            out << type << quint8(0) << quint16(name.size()), padded(name), out << quint32(7);
        };
        out << quint8(order == QDataStream::BigEndian) << quint8(0) << quint16(0) << quint32(3);
        out << quint32(4), setting(2, "Gtk/Colour"), out << quint64(0x0001000200030004);
        setting(1, "Gtk/FontName"), out << quint32(1), padded("x"); // a name of 12
        setting(0, "Net/EnableEventSounds"), out << qint32(0);
        const qsizetype sounds = bytes.size(); // the end of the switch
        setting(1, "Net/SoundThemeName"), out << quint32(5), padded("ocean"); // to the end
        const auto read = [&](qsizetype size) {
            const auto s = platform::x11::readSoundSettings(bytes.first(size));
            return QString::number(s.enabled) + u' ' + QString::fromUtf8(s.themeName);
        };
        EXPECT_EQ(read(bytes.size()) + u'|' + read(sounds - 1) + u'|' + read(bytes.size() - 4),
                  u"0 ocean|1 |0 "_s)
            << order;
    }
}

// A box with an icon plays its event sound, in the desktop's theme, on the sound server.
TEST(DesktopSound, BoxesPlayTheirIconsEventSound)
{
    const auto calls = reinterpret_cast<const char *(*)()>(
        QLibrary(u"canberra"_s, 0).resolve("fakeCanberraCalls"));
    ASSERT_TRUE(fakeCanberra && calls);
    QStringList heard; // the first sound of the process opens the library: driver, properties
    const auto plays = [&] {
        heard = QString::fromUtf8(calls()).split(u'\n', Qt::SkipEmptyParts);
        return heard.filter(u"play"_s).size();
    };
    const qsizetype before = plays(), lines = heard.size(); // from other tests' boxes
    using enum platform::MsgIcon;
    for (const auto icon : {Information, Question, Exclamation, None, Critical}) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        platform::DesktopPlatform().messageBox({}, {}, platform::MsgButtons::Ok, icon);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return plays() == before + 3; }));
    QStringList mine = heard.mid(lines).filter(u"play"_s); // in any order: threads of their own
    mine.sort();
    EXPECT_EQ(heard.mid(0, 2).join(u'|') + u'|' + mine.join(u'|'),
              u"driver pulse|props Tocklet %2 %2|play dialog-error %1|play dialog-information %1|"
              "play dialog-warning %1"_s.arg(u"freedesktop volatile"_s, u"org.tocklet.Tocklet"_s));
}
