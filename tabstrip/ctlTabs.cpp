#include "ctlTabs.h"
#include "FontText.h"
#include "PropertyBag.h"
#include "ctlTabsAccessible.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

using namespace tabstrip;

namespace {

// The image's size in the widget's own (logical) pixels.
QSize logicalSize(const QImage &image)
{
    return image.deviceIndependentSize().toSize();
}

// Fills the drawing extent of `r` (right and bottom exclusive), clipped to the image.
void fill(QPainter &p, const QImage &image, qint64 l, qint64 t, qint64 r, qint64 b,
          const QColor &color)
{
    const qint64 left = std::max<qint64>(l, 0);
    const qint64 top = std::max<qint64>(t, 0);
    const qint64 right = std::min<qint64>(r, logicalSize(image).width());
    const qint64 bottom = std::min<qint64>(b, logicalSize(image).height());
    if (left < right && top < bottom)
        p.fillRect(QRect(int(left), int(top), int(right - left), int(bottom - top)), color);
}

void fill(QPainter &p, const QImage &image, const TabRect &r, const QColor &color)
{
    fill(p, image, r.left, r.top, r.right, r.bottom, color);
}

// A one-pixel raised edge on the outermost pixels of the chosen sides: light at the top and
// left, shadow at the bottom and right.
void drawEdge(QPainter &p, const QImage &image, const TabRect &r, int sides, const QColor &light,
              const QColor &shadow)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const qint64 l = r.left, t = r.top, rr = r.right, b = r.bottom;
    if (sides & EdgeTop)
        fill(p, image, l, t, rr, t + 1, light);
    if (sides & EdgeLeft)
        fill(p, image, l, t, l + 1, b, light);
    if (sides & EdgeBottom)
        fill(p, image, l, b - 1, rr, b, shadow);
    if (sides & EdgeRight)
        fill(p, image, rr - 1, t, rr, b, shadow);
}

// The dotted focus rectangle: every other pixel of the outline inverted (each logical pixel
// covers its square of the screen's pixels).
void drawFocusRect(QImage &image, const TabRect &r)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const qint64 w = logicalSize(image).width(), h = logicalSize(image).height();
    const double ratio = image.devicePixelRatio();
    auto invert = [&](qint64 x, qint64 y) {
        if (x < 0 || y < 0 || x >= w || y >= h || (x + y) % 2)
            return;
        for (int py = int(y * ratio); py < std::min(int((y + 1) * ratio), image.height()); ++py)
            for (int px = int(x * ratio); px < std::min(int((x + 1) * ratio), image.width()); ++px)
                reinterpret_cast<QRgb *>(image.scanLine(py))[px] ^= 0x00FFFFFF;
    };
    const qint64 left = r.left, top = r.top, right = qint64(r.right) - 1,
                 bottom = qint64(r.bottom) - 1;
    for (qint64 x = std::max<qint64>(left, 0); x <= std::min(right, w - 1); ++x) {
        invert(x, top);
        if (bottom != top)
            invert(x, bottom);
    }
    for (qint64 y = std::max<qint64>(top + 1, 0); y <= std::min(bottom - 1, h - 1); ++y) {
        invert(left, y);
        if (right != left)
            invert(right, y);
    }
}

int clampInt(qint64 value, qint64 low, qint64 high)
{
    return int(std::clamp(value, low, high));
}

qint64 readInteger(const PropertyBag &bag, const QString &key, qint64 defaultValue)
{
    bool ok = false;
    const qint64 value = bag.readProperty(key, defaultValue).toLongLong(&ok);
    return ok ? value : defaultValue;
}

QString captionKey(int index)
{
    return QStringLiteral("TABCAPTION") + QString::number(index);
}

} // namespace

ctlTabs::ctlTabs(QWidget *parent)
    : QWidget(parent)
{
    // Tab moves the focus here; a click does only on a tab (mousePressEvent), so that a click
    // on a page's label, frame or background, which reaches the nearest ancestor that takes
    // click focus, leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    tabstrip::installAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    copyFont(tabFont_, font());
    copyFont(tabFontActive_, font());
    tabFontActive_.setBold(!tabFontActive_.bold());
}

void ctlTabs::changed(const QString &key)
{
    emit propertyChanged(key);
    drawTabs();
}

template <typename T> void ctlTabs::store(T &setting, const T &value, const char *key)
{
    setting = value;
    changed(QString::fromLatin1(key));
}

void ctlTabs::setTextColor(OleColor color)
{
    store(textColor_, color, "TEXTCOLOR");
}

void ctlTabs::setTextColorActive(OleColor color)
{
    store(textColorActive_, color, "TEXTCOLORACTIVE");
}

void ctlTabs::setTabColor(OleColor color)
{
    store(tabColor_, color, "TABCOLOR");
}

void ctlTabs::setTabColorActive(OleColor color)
{
    store(tabColorActive_, color, "TABCOLORACTIVE");
}

void ctlTabs::setTabFont(const QFont &font)
{
    copyFont(tabFont_, font);
    changed(QStringLiteral("TABFONT"));
}

void ctlTabs::setTabFontActive(const QFont &font)
{
    copyFont(tabFontActive_, font);
    changed(QStringLiteral("TABFONTACTIVE"));
}

void ctlTabs::checkIndex(int index) const
{
    if (index < 1 || index > tabs_)
        throw std::out_of_range("ctlTabs: no tab " + std::to_string(index));
}

QString ctlTabs::Caption(int index) const
{
    checkIndex(index);
    return captions_[index - 1];
}

void ctlTabs::setCaption(int index, const QString &caption)
{
    checkIndex(index);
    captions_[index - 1] = caption;
    changed(captionKey(index));
    tabstrip::announceCaption(this, index);
}

void ctlTabs::setCaptions(const QStringList &captions)
{
    const int wanted = std::exchange(wantedTab_, 0);
    setTabs(int(std::max<qsizetype>(1, captions.size())));
    for (int i = 1; i <= tabs_; ++i)
        setCaption(i, captions.value(i - 1));
    if (wanted > selectedTab_ && wanted <= tabs_)
        setSelectedTab(wanted);
}

void ctlTabs::setStyle(int style)
{
    if (style >= 0 && style <= 7)
        store(style_, style, "TABSTYLE");
}

void ctlTabs::setCaptionAlignment(int alignment)
{
    if (alignment >= 0 && alignment <= 8)
        store(captionAlignment_, alignment, "CAPTIONSTYLE");
}

void ctlTabs::setTabsWidth(int width)
{
    store(tabsWidth_, width, "TABWIDE");
}

void ctlTabs::setTabsHeight(int height)
{
    store(tabsHeight_, height, "TABHIGH");
}

void ctlTabs::setUseFocusRect(bool use)
{
    store(useFocusRect_, use, "FOCUSRECT");
}

void ctlTabs::setTabs(int tabs)
{
    if (tabs < 1 || tabs > kMaxTabs)
        return;
    tabs_ = tabs;
    captions_.resize(tabs);
    const int oldTab = selectedTab_;
    const bool moved = tabs_ < selectedTab_;
    if (moved)
        selectedTab_ = tabs_;
    changed(QStringLiteral("TABCOUNT"));
    if (moved) {
        emit propertyChanged(QStringLiteral("TABSELECTED"));
        emit TabClick(oldTab, selectedTab_);
        tabstrip::announceSelection(this);
    }
    wantedTab_ = 0;
}

void ctlTabs::setSelectedTab(int tab)
{
    const int oldTab = selectedTab_;
    wantedTab_ = tab > tabs_ ? tab : 0;
    selectedTab_ = std::clamp(tab, 1, tabs_);
    changed(QStringLiteral("TABSELECTED"));
    emit TabClick(oldTab, selectedTab_);
    if (selectedTab_ != oldTab)
        tabstrip::announceSelection(this);
}

void ctlTabs::pressTab(int tab)
{
    setFocus(Qt::MouseFocusReason);
    setSelectedTab(tab);
}

ctlTabs::~ctlTabs()
{
    tabstrip::forgetAccessibility(this);
    // The pages, children of the strip, go after its members.
    for (QWidget *page : std::as_const(pages_))
        disconnect(page, &QObject::destroyed, this, nullptr);
}

void ctlTabs::insertPage(int index, QWidget *page)
{
    if (!page)
        return;
    page->setParent(this);
    pages_.insert(std::clamp<qsizetype>(index, 0, pages_.size()), page);
    // A page deleted elsewhere leaves the list.
    connect(page, &QObject::destroyed, this, [this](QObject *gone) { pages_.removeAll(gone); });
    drawTabs();
}

void ctlTabs::removePage(int index)
{
    if (index < 0 || index >= pages_.size())
        return;
    QWidget *page = pages_.takeAt(index);
    disconnect(page, &QObject::destroyed, this, nullptr);
    page->hide();
    showPages();
}

void ctlTabs::showPages()
{
    for (int i = 0; i < pages_.size(); ++i) {
        pages_[i]->setGeometry(pageArea_);
        pages_[i]->setVisible(i == selectedTab_ - 1);
    }
}

void ctlTabs::ReadProperties(const PropertyBag &bag)
{
    constexpr qint64 intMin = std::numeric_limits<int>::min();
    constexpr qint64 intMax = std::numeric_limits<int>::max();
    wantedTab_ = 0;
    tabsWidth_ = clampInt(readInteger(bag, QStringLiteral("TABWIDE"), 70), intMin, intMax);
    tabsHeight_ = clampInt(readInteger(bag, QStringLiteral("TABHIGH"), 20), intMin, intMax);
    tabs_ = clampInt(readInteger(bag, QStringLiteral("TABCOUNT"), 2), 1, kMaxTabs);
    selectedTab_ = clampInt(readInteger(bag, QStringLiteral("TABSELECTED"), 1), 1, tabs_);
    style_ = clampInt(readInteger(bag, QStringLiteral("TABSTYLE"), 0), 0, 7);
    captionAlignment_ = clampInt(readInteger(bag, QStringLiteral("CAPTIONSTYLE"), 4), 0, 8);
    useFocusRect_ = bag.readProperty(QStringLiteral("FOCUSRECT"), false).toBool();

    captions_.resize(tabs_);
    for (int i = 1; i <= tabs_; ++i)
        captions_[i - 1] = bag.readProperty(captionKey(i), QString()).toString();

    auto readFont = [&](const QString &key, QFont &font, int &charset) {
        const auto stored = fontFromText(bag.readProperty(key, QString()).toString());
        font = stored ? stored->font : this->font();
        charset = stored ? stored->charset : 1;
    };
    readFont(QStringLiteral("TABFONT"), tabFont_, tabFontCharset_);
    readFont(QStringLiteral("TABFONTACTIVE"), tabFontActive_, tabFontActiveCharset_);

    auto readColor = [&](const QString &key, OleColor defaultValue) {
        return OleColor(readInteger(bag, key, defaultValue) & 0xFFFFFFFF);
    };
    tabColor_ = readColor(QStringLiteral("TABCOLOR"), systemColor(16));
    tabColorActive_ = readColor(QStringLiteral("TABCOLORACTIVE"), systemColor(15));
    textColor_ = readColor(QStringLiteral("TEXTCOLOR"), systemColor(20));
    textColorActive_ = readColor(QStringLiteral("TEXTCOLORACTIVE"), systemColor(18));
    drawTabs();
}

void ctlTabs::WriteProperties(PropertyBag &bag) const
{
    bag.writeProperty(QStringLiteral("TABWIDE"), tabsWidth_);
    bag.writeProperty(QStringLiteral("TABHIGH"), tabsHeight_);
    bag.writeProperty(QStringLiteral("TABCOUNT"), tabs_);
    bag.writeProperty(QStringLiteral("TABSELECTED"), selectedTab_);
    bag.writeProperty(QStringLiteral("TABSTYLE"), style_);
    bag.writeProperty(QStringLiteral("CAPTIONSTYLE"), captionAlignment_);
    bag.writeProperty(QStringLiteral("FOCUSRECT"), useFocusRect_);
    for (int i = 1; i <= tabs_; ++i)
        bag.writeProperty(captionKey(i), captions_[i - 1], QString());
    bag.writeProperty(QStringLiteral("TABFONT"), fontText(tabFont_, tabFontCharset_));
    bag.writeProperty(QStringLiteral("TABFONTACTIVE"),
                      fontText(tabFontActive_, tabFontActiveCharset_));
    bag.writeProperty(QStringLiteral("TABCOLOR"), qint64(tabColor_));
    bag.writeProperty(QStringLiteral("TABCOLORACTIVE"), qint64(tabColorActive_));
    bag.writeProperty(QStringLiteral("TEXTCOLOR"), qint64(textColor_));
    bag.writeProperty(QStringLiteral("TEXTCOLORACTIVE"), qint64(textColorActive_));
}

void ctlTabs::drawTabs()
{
    const QPalette &pal = palette();
    const QColor inactiveBrush = translateColor(tabColor_, pal);
    const QColor activeBrush = translateColor(tabColorActive_, pal);
    const QColor light = translateColor(systemColor(20), pal);
    const QColor shadow = translateColor(systemColor(16), pal);

    // The image has the screen's pixels, so that the strip is as sharp as the text beside it;
    // everything is drawn in the widget's own units.
    const QSize size(std::max(width(), 0), std::max(height(), 0));
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    if (hDC_.size() != pixels || hDC_.devicePixelRatio() != ratio) {
        hDC_ = QImage(pixels, QImage::Format_RGB32);
        hDC_.setDevicePixelRatio(ratio);
    }
    hDC_.fill(pal.color(QPalette::Window));

    const StripLayout layout =
        stripLayout(style_, size.width(), size.height(), tabsWidth_, tabsHeight_, tabs_);
    // The pages lie inside the page area's raised border, within the strip.
    if (!pages_.isEmpty()) {
        const auto inside = [](qint64 at) { return int(std::clamp<qint64>(at, -1, INT_MAX / 2)); };
        pageArea_ =
            QRect(QPoint(inside(qint64(layout.page.left) + 2), inside(qint64(layout.page.top) + 2)),
                  QPoint(inside(qint64(layout.page.right) - 3),
                         inside(qint64(layout.page.bottom) - 3)))
                .intersected(QRect(QPoint(0, 0), size));
        showPages();
    }
    tabRects_.clear();
    tabRects_.reserve(tabs_);

    QPainter p;
    const bool painting = !hDC_.isNull() && p.begin(&hDC_);
    auto paintFill = [&](const TabRect &r, const QColor &c) {
        if (painting)
            fill(p, hDC_, r, c);
    };
    auto paintEdge = [&](const TabRect &r, int sides) {
        if (painting)
            drawEdge(p, hDC_, r, sides, light, shadow);
    };

    paintFill(layout.page, activeBrush);
    paintEdge(layout.page, EdgeAll);

    for (int i = 1; i <= tabs_; ++i) {
        const TabRect &full = layout.tabs[i - 1];
        const bool active = i == selectedTab_;
        const TabRect hit = hitRect(full, active);
        tabRects_.append(hit);
        if (!painting)
            continue;
        if (active) {
            paintFill(full, activeBrush);
            paintEdge(full, layout.activeSides);
            if (useFocusRect_ && hasFocus_) {
                p.end();
                drawFocusRect(hDC_, inset(full, 2));
                p.begin(&hDC_);
            }
        } else {
            paintFill(hit, inactiveBrush);
        }

        // Captions are not clipped to their tab, but one far outside the image is not drawn.
        const QFont &font = active ? tabFontActive_ : tabFont_;
        const QFontMetricsF metrics(font, &hDC_);
        const QString &caption = captions_[i - 1];
        const QPointF at = captionPosition(full, captionAlignment_,
                                           {metrics.horizontalAdvance(caption), metrics.height()});
        constexpr double kFar = 1 << 20;
        if (caption.isEmpty() || std::abs(at.x()) > kFar || std::abs(at.y()) > kFar)
            continue;
        p.setFont(font);
        p.setPen(translateColor(active ? textColorActive_ : textColor_, pal));
        p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), caption);
    }
    update();
}

void ctlTabs::paintEvent(QPaintEvent *)
{
    if (hDC_.devicePixelRatio() != devicePixelRatioF()) // moved to a screen of another density
        drawTabs();
    QPainter p(this);
    p.drawImage(0, 0, hDC_);
}

void ctlTabs::resizeEvent(QResizeEvent *)
{
    drawTabs();
}

void ctlTabs::changeEvent(QEvent *event)
{
    // The container's background is the strip's ambient background.
    if (event->type() == QEvent::PaletteChange)
        drawTabs();
    QWidget::changeEvent(event);
}

void ctlTabs::focusInEvent(QFocusEvent *event)
{
    hasFocus_ = true;
    if (useFocusRect_)
        drawTabs();
    QWidget::focusInEvent(event);
    tabstrip::announceSelection(this);
}

void ctlTabs::focusOutEvent(QFocusEvent *event)
{
    hasFocus_ = false;
    if (useFocusRect_)
        drawTabs();
    QWidget::focusOutEvent(event);
}

void ctlTabs::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (const int tab = hitTest(tabRects_, at.x(), at.y()))
        pressTab(tab);
}

void ctlTabs::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second click of a double click is no second press.
}

void ctlTabs::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (hitTest(tabRects_, at.x(), at.y()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void ctlTabs::keyPressEvent(QKeyEvent *event)
{
    // Keys that a field on a page ignores travel up here; they are not the strip's.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        setSelectedTab(selectedTab_ - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        setSelectedTab(std::min(selectedTab_ + 1, tabs_)); // the last stays, nothing waits
        break;
    default:
        break;
    }
    // The key goes on to the container as well.
    event->ignore();
}
