#include "FusionStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QImageReader>
#include <QLibraryInfo>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

FusionStyle::FusionStyle(QStyle *fusion)
    : QProxyStyle(fusion)
{
    QImageReader reader(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
    reader.setAutoDetectImageFormat(false);
    groupBoxFrame_ = QPixmap::fromImage(reader.read());
}

void FusionStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || groupBoxFrame_.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Below the title, or a small margin where the box has none.
    constexpr int kTopMargin = 3;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const bool bare = box && !box->isCheckable() && box->title().isEmpty();
    const int title = bare ? 0
                           : std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                                      option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, kTopMargin + title, 0, 0),
                      QMargins(6, 6, 6, 6), groupBoxFrame_);
}

void FusionStyle::replaceFusion()
{
    // Later versions, which a program built with 6.4 may run on, place the frame differently
    // (and keep the picture under a key of their own); they keep their Fusion.
    QStyle *style = QApplication::style();
    if (QLibraryInfo::version() < QVersionNumber(6, 5) &&
        style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new FusionStyle(style)); // the same Fusion, kept by the proxy
}
