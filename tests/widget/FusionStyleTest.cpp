#include <FusionStyle.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QStyleFactory>

#include <memory>

// Group boxes look exactly as Fusion draws them, titled or not, checkable or not; others stay.
TEST(FusionStyle, DrawsGroupBoxesAsFusionDoes)
{
    if (QLibraryInfo::version() >= QVersionNumber(6, 5))
        GTEST_SKIP() << "Fusion is left as it is from Qt 6.5";
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    FusionStyle ours(QStyleFactory::create(QStringLiteral("fusion")));
    for (const auto &[title, checkable] :
         {std::pair(QStringLiteral("限定时间"), false), std::pair(QString(), false),
          std::pair(QString(), true), std::pair(QStringLiteral("其它"), true)}) {
        QGroupBox box(title);
        box.setCheckable(checkable), box.resize(160, 70), box.setStyle(fusion.get());
        const QImage expected = box.grab().toImage();
        box.setStyle(&ours);
        EXPECT_EQ(box.grab().toImage(), expected) << title.toStdString() << ", " << checkable;
    }
    const QString before = QApplication::style()->name();
    QApplication::setStyle(QStringLiteral("windows")), FusionStyle::replaceFusion(); // stays
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
    QApplication::setStyle(before);
}
