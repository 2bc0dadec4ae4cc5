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
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <variant>

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

} // namespace

// A stored setting and the member that holds it: an integer (loaded into its range), a flag, a
// colour (loaded modulo 2^32, as the store's 32-bit numbers), the captions (a key each, the key
// followed by the tab's number; an empty one is not stored) or a font with its character set.
struct ctlTabs::Setting {
    const char *key;
    std::variant<int ctlTabs::*, bool ctlTabs::*, OleColor ctlTabs::*, QStringList ctlTabs::*,
                 QFont ctlTabs::*>
        member;
    // A new strip's value, and a loaded one's where the key is missing; a font's is its
    // character set, the font being the strip's own, and a loaded caption's is empty.
    qint64 defaultValue = 0;
    // The values a setter accepts and loading brings a value into.
    qint64 low = 0, high = 0;
    int ctlTabs::*charset = nullptr;

    static constexpr qint64 kUpToTabs = -1; // the selected tab's upper bound
    qint64 top(const ctlTabs &tabs) const { return high == kUpToTabs ? tabs.tabs_ : high; }
};

const ctlTabs::Setting ctlTabs::kSettings[] = {
    {"TABWIDE", &ctlTabs::tabsWidth_, 70, INT_MIN, INT_MAX},
    {"TABHIGH", &ctlTabs::tabsHeight_, 20, INT_MIN, INT_MAX},
    {"TABCOUNT", &ctlTabs::tabs_, 2, 1, kMaxTabs},
    {"TABSELECTED", &ctlTabs::selectedTab_, 1, 1, Setting::kUpToTabs},
    {"TABSTYLE", &ctlTabs::style_, 0, 0, 7},
    {"CAPTIONSTYLE", &ctlTabs::captionAlignment_, 4, 0, 8},
    {"FOCUSRECT", &ctlTabs::useFocusRect_, false, false, true},
    {"TABCAPTION", &ctlTabs::captions_},
    {"TABFONT", &ctlTabs::tabFont_, 1, 0, 0, &ctlTabs::tabFontCharset_},
    {"TABFONTACTIVE", &ctlTabs::tabFontActive_, 1, 0, 0, &ctlTabs::tabFontActiveCharset_},
    {"TABCOLOR", &ctlTabs::tabColor_, systemColor(16), 0, UINT32_MAX},
    {"TABCOLORACTIVE", &ctlTabs::tabColorActive_, systemColor(15), 0, UINT32_MAX},
    {"TEXTCOLOR", &ctlTabs::textColor_, systemColor(20), 0, UINT32_MAX},
    {"TEXTCOLORACTIVE", &ctlTabs::textColorActive_, systemColor(18), 0, UINT32_MAX},
};

template <typename T> const ctlTabs::Setting &ctlTabs::setting(T ctlTabs::*member)
{
    for (const Setting &s : kSettings)
        if (const auto *held = std::get_if<T ctlTabs::*>(&s.member); held && *held == member)
            return s;
    Q_UNREACHABLE();
}

QString ctlTabs::captionKey(int index)
{
    return QString::fromLatin1(setting(&ctlTabs::captions_).key) + QString::number(index);
}

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
    for (const Setting &s : kSettings) {
        if (auto *m = std::get_if<int ctlTabs::*>(&s.member))
            this->**m = int(s.defaultValue);
        else if (auto *m = std::get_if<bool ctlTabs::*>(&s.member))
            this->**m = s.defaultValue != 0;
        else if (auto *m = std::get_if<OleColor ctlTabs::*>(&s.member))
            this->**m = OleColor(s.defaultValue);
        else if (auto *m = std::get_if<QFont ctlTabs::*>(&s.member)) {
            copyFont(this->**m, font());
            this->*s.charset = int(s.defaultValue);
        }
    }
    for (int i = 1; i <= tabs_; ++i)
        captions_.append(QStringLiteral("Tab ") + QString::number(i));
    tabFontActive_.setBold(!tabFontActive_.bold());
}

void ctlTabs::changed(const QString &key)
{
    wantedTab_ = 0;
    emit propertyChanged(key);
    drawTabs();
}

template <typename T> void ctlTabs::assign(T ctlTabs::*member, T value)
{
    const Setting &s = setting(member);
    if (qint64(value) < s.low || qint64(value) > s.top(*this))
        return;
    this->*member = value;
    changed(QString::fromLatin1(s.key));
}

void ctlTabs::resetColor(OleColor ctlTabs::*member)
{
    assign(member, OleColor(setting(member).defaultValue));
}

void ctlTabs::setOleTextColor(OleColor color)
{
    assign(&ctlTabs::textColor_, color);
}

void ctlTabs::setOleTextColorActive(OleColor color)
{
    assign(&ctlTabs::textColorActive_, color);
}

void ctlTabs::setOleTabColor(OleColor color)
{
    assign(&ctlTabs::tabColor_, color);
}

void ctlTabs::setOleTabColorActive(OleColor color)
{
    assign(&ctlTabs::tabColorActive_, color);
}

void ctlTabs::setTabFont(const QFont &font)
{
    copyFont(tabFont_, font);
    changed(QString::fromLatin1(setting(&ctlTabs::tabFont_).key));
}

void ctlTabs::setTabFontActive(const QFont &font)
{
    copyFont(tabFontActive_, font);
    changed(QString::fromLatin1(setting(&ctlTabs::tabFontActive_).key));
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
    assign(&ctlTabs::style_, style);
}

void ctlTabs::setCaptionAlignment(int alignment)
{
    assign(&ctlTabs::captionAlignment_, alignment);
}

void ctlTabs::setTabsWidth(int width)
{
    assign(&ctlTabs::tabsWidth_, width);
}

void ctlTabs::setTabsHeight(int height)
{
    assign(&ctlTabs::tabsHeight_, height);
}

void ctlTabs::setUseFocusRect(bool use)
{
    assign(&ctlTabs::useFocusRect_, use);
}

void ctlTabs::setTabs(int tabs)
{
    const Setting &count = setting(&ctlTabs::tabs_);
    if (tabs < count.low || tabs > count.high)
        return;
    tabs_ = tabs;
    captions_.resize(tabs);
    const int oldTab = selectedTab_;
    const bool moved = tabs_ < selectedTab_;
    if (moved)
        selectedTab_ = tabs_;
    changed(QString::fromLatin1(count.key));
    if (moved) {
        emit propertyChanged(QString::fromLatin1(setting(&ctlTabs::selectedTab_).key));
        emit TabClick(oldTab, selectedTab_);
        tabstrip::announceSelection(this);
    }
}

void ctlTabs::setSelectedTab(int tab)
{
    const int oldTab = selectedTab_;
    selectedTab_ = std::clamp(tab, 1, tabs_);
    changed(QString::fromLatin1(setting(&ctlTabs::selectedTab_).key));
    if (tab > tabs_)
        wantedTab_ = tab;
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

void ctlTabs::placePages(const TabRect &page, QSize size)
{
    if (pages_.isEmpty())
        return;
    // Inside the page area's raised border, within the strip.
    const auto inside = [](qint64 at) { return int(std::clamp<qint64>(at, -1, INT_MAX / 2)); };
    pageArea_ = QRect(QPoint(inside(qint64(page.left) + 2), inside(qint64(page.top) + 2)),
                      QPoint(inside(qint64(page.right) - 3), inside(qint64(page.bottom) - 3)))
                    .intersected(QRect(QPoint(0, 0), size));
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
    wantedTab_ = 0;
    for (const Setting &s : kSettings) {
        const QString key = QString::fromLatin1(s.key);
        if (auto *m = std::get_if<int ctlTabs::*>(&s.member))
            this->**m = clampInt(readInteger(bag, key, s.defaultValue), s.low, s.top(*this));
        else if (auto *m = std::get_if<bool ctlTabs::*>(&s.member))
            this->**m = bag.readProperty(key, s.defaultValue != 0).toBool();
        else if (auto *m = std::get_if<OleColor ctlTabs::*>(&s.member))
            this->**m = OleColor(readInteger(bag, key, s.defaultValue) & 0xFFFFFFFF);
        else if (auto *m = std::get_if<QFont ctlTabs::*>(&s.member)) {
            const auto stored = fontFromText(bag.readProperty(key, QString()).toString());
            this->**m = stored ? stored->font : font();
            this->*s.charset = stored ? stored->charset : int(s.defaultValue);
        } else {
            captions_.resize(tabs_);
            for (int i = 1; i <= tabs_; ++i)
                captions_[i - 1] = bag.readProperty(captionKey(i), QString()).toString();
        }
    }
    drawTabs();
}

void ctlTabs::WriteProperties(PropertyBag &bag) const
{
    for (const Setting &s : kSettings) {
        const QString key = QString::fromLatin1(s.key);
        if (auto *m = std::get_if<int ctlTabs::*>(&s.member))
            bag.writeProperty(key, this->**m);
        else if (auto *m = std::get_if<bool ctlTabs::*>(&s.member))
            bag.writeProperty(key, this->**m);
        else if (auto *m = std::get_if<OleColor ctlTabs::*>(&s.member))
            bag.writeProperty(key, qint64(this->**m));
        else if (auto *m = std::get_if<QFont ctlTabs::*>(&s.member))
            bag.writeProperty(key, fontText(this->**m, this->*s.charset));
        else
            for (int i = 1; i <= tabs_; ++i)
                bag.writeProperty(captionKey(i), captions_[i - 1], QString());
    }
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
    placePages(layout.page, size);
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
