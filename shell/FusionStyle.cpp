#include "FusionStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QImageReader>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

FusionStyle::FusionStyle()
    : QProxyStyle(QStringLiteral("fusion"))
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
    // Later versions place the frame differently (and cache the picture under a key of their
    // own); they keep their Fusion.
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new FusionStyle);
#endif
}
