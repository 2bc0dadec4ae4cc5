#pragma once

#include "OleColor.h"
#include "TabGeometry.h"

#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <concepts>

namespace tabstrip {
class PropertyBag;
}

// An owner-drawn tab strip: tabs along one edge around a framed page area. The pages are its
// container's: the container shows the page of the chosen tab when TabClick arrives, or, as a
// form designer does, adds them with addPage and lets the strip show the selected tab's. Its
// members are reachable by name through the meta-object system, for hosts that know it only at
// run time.
class ctlTabs : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ScaleMode READ ScaleMode)
    // The colours as a form designer edits them; a system colour reads as its present value.
    // Reset brings back the system colour a new strip has.
    Q_PROPERTY(QColor TextColor READ translatedTextColor WRITE setTextColor RESET resetTextColor)
    Q_PROPERTY(QColor TextColorActive READ translatedTextColorActive WRITE setTextColorActive RESET
                   resetTextColorActive)
    Q_PROPERTY(QColor TabColor READ translatedTabColor WRITE setTabColor RESET resetTabColor)
    Q_PROPERTY(QColor TabColorActive READ translatedTabColorActive WRITE setTabColorActive RESET
                   resetTabColorActive)
    Q_PROPERTY(QFont TabFont READ TabFont WRITE setTabFont)
    Q_PROPERTY(QFont TabFontActive READ TabFontActive WRITE setTabFontActive)
    // By name in a form designer; the stored numbers are the enumerators' values.
    Q_PROPERTY(TabStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(Alignment CaptionAlignment READ CaptionAlignment WRITE setCaptionAlignment)
    Q_PROPERTY(int TabsWidth READ TabsWidth WRITE setTabsWidth)
    Q_PROPERTY(int TabsHeight READ TabsHeight WRITE setTabsHeight)
    // A form keeps the captions; their number is the number of tabs.
    Q_PROPERTY(int Tabs READ Tabs WRITE setTabs DESIGNABLE false STORED false)
    Q_PROPERTY(QStringList Captions READ Captions WRITE setCaptions)
    Q_PROPERTY(bool UseFocusRect READ UseFocusRect WRITE setUseFocusRect)
    // Last, so that a form designer saves it last and uic's code sets it after every other
    // setting (one set after it would forget a tab that waits for its captions).
    Q_PROPERTY(int SelectedTab READ SelectedTab WRITE setSelectedTab)

public:
    static constexpr int kMaxTabs = 32767; // a 16-bit count

    // Where the tabs lie: along an edge, starting at one of its ends. Both enums hold any int, so
    // that a number out of range reaches the setter, which refuses it.
    enum TabStyle : int {
        TopFromLeft,
        TopFromRight,
        BottomFromLeft,
        BottomFromRight,
        LeftFromTop,
        RightFromTop,
        LeftFromBottom,
        RightFromBottom
    };
    Q_ENUM(TabStyle)
    // A caption's place in its tab: 3 × row + column.
    enum Alignment : int {
        CaptionTopLeft,
        CaptionTop,
        CaptionTopRight,
        CaptionLeft,
        CaptionCentre,
        CaptionRight,
        CaptionBottomLeft,
        CaptionBottom,
        CaptionBottomRight
    };
    Q_ENUM(Alignment)

    explicit ctlTabs(QWidget *parent = nullptr);
    ~ctlTabs() override;

    int ScaleMode() const { return 1; }
    // The retained image that drawTabs paints and paintEvent shows. Its pixels are the
    // screen's: at a scale factor other than 1 it is devicePixelRatio() times the widget's size,
    // while tabRects(), the mouse and the drawing are in the widget's own (logical) pixels; read
    // the pixel under a logical point p at p * hDC().devicePixelRatio().
    const QImage &hDC() const { return hDC_; }
    // Each tab's hit rectangle as last drawn, tab 1 first, in logical pixels.
    const QList<tabstrip::TabRect> &tabRects() const { return tabRects_; }

    // The colours as stored: system colour n as tabstrip::systemColor(n), else 0x00BBGGRR.
    tabstrip::OleColor TextColor() const { return textColor_; }
    tabstrip::OleColor TextColorActive() const { return textColorActive_; }
    tabstrip::OleColor TabColor() const { return tabColor_; }
    tabstrip::OleColor TabColorActive() const { return tabColorActive_; }
    void setOleTextColor(tabstrip::OleColor color);
    void setOleTextColorActive(tabstrip::OleColor color);
    void setOleTabColor(tabstrip::OleColor color);
    void setOleTabColorActive(tabstrip::OleColor color);
    // The colours as drawn now, a system colour resolved through the palette.
    QColor translatedTextColor() const { return translated(textColor_); }
    QColor translatedTextColorActive() const { return translated(textColorActive_); }
    QColor translatedTabColor() const { return translated(tabColor_); }
    QColor translatedTabColorActive() const { return translated(tabColorActive_); }
    // A direct colour: setTextColor(Qt::red) is red. A number is refused; a stored one goes to
    // setOleTextColor and the like.
    void setTextColor(const QColor &c) { setOleTextColor(tabstrip::oleColor(c)); }
    void setTextColorActive(const QColor &c) { setOleTextColorActive(tabstrip::oleColor(c)); }
    void setTabColor(const QColor &c) { setOleTabColor(tabstrip::oleColor(c)); }
    void setTabColorActive(const QColor &c) { setOleTabColorActive(tabstrip::oleColor(c)); }
    template <std::integral N> void setTextColor(N) = delete;
    template <std::integral N> void setTextColorActive(N) = delete;
    template <std::integral N> void setTabColor(N) = delete;
    template <std::integral N> void setTabColorActive(N) = delete;
    void resetTextColor() { resetColor(&ctlTabs::textColor_); }
    void resetTextColorActive() { resetColor(&ctlTabs::textColorActive_); }
    void resetTabColor() { resetColor(&ctlTabs::tabColor_); }
    void resetTabColorActive() { resetColor(&ctlTabs::tabColorActive_); }

    // The control's own fonts: a change made through the reference shows at the next repaint,
    // with no notification.
    QFont &TabFont() { return tabFont_; }
    QFont &TabFontActive() { return tabFontActive_; }
    const QFont &TabFont() const { return tabFont_; }
    const QFont &TabFontActive() const { return tabFontActive_; }
    void setTabFont(const QFont &font);
    void setTabFontActive(const QFont &font);

    // Throws std::out_of_range for an index outside 1..Tabs.
    Q_INVOKABLE QString Caption(int index) const;
    Q_INVOKABLE void setCaption(int index, const QString &caption);
    // All captions, tab 1 first. Setting them sets the number of tabs (at least one), then
    // each caption, as the caption page applies its list; then, if setSelectedTab asked for a
    // tab beyond the last and no other setting was set since, that tab, should it now exist.
    QStringList Captions() const { return captions_; }
    void setCaptions(const QStringList &captions);

    TabStyle Style() const { return TabStyle(style_); }
    using QWidget::setStyle;
    void setStyle(int style);
    Alignment CaptionAlignment() const { return Alignment(captionAlignment_); }
    void setCaptionAlignment(int alignment);
    int TabsWidth() const { return tabsWidth_; }
    void setTabsWidth(int width);
    int TabsHeight() const { return tabsHeight_; }
    void setTabsHeight(int height);
    int Tabs() const { return tabs_; }
    void setTabs(int tabs);
    int SelectedTab() const { return selectedTab_; }
    // A tab beyond the last selects the last, and is remembered for setCaptions until any other
    // setting is set (a form's generated code sets the tab before its captions).
    void setSelectedTab(int tab);
    // Selects tab `tab` as a click on it does: the focus to the strip, then the selection.
    void pressTab(int tab);
    bool UseFocusRect() const { return useFocusRect_; }
    void setUseFocusRect(bool use);

    // Pages the strip shows itself, as a form designer builds them (uic's code adds them):
    // page n lies on the page area and is shown while tab n is selected. A host that shows its
    // own pages on TabClick adds none.
    Q_INVOKABLE void addPage(QWidget *page) { insertPage(int(pages_.size()), page); }
    void insertPage(int index, QWidget *page);
    void removePage(int index);
    int pageCount() const { return int(pages_.size()); }
    QWidget *page(int index) const { return pages_.value(index); }

    // Loads the settings as stored (out-of-range values brought into range), then repaints.
    void ReadProperties(const tabstrip::PropertyBag &bag);
    void WriteProperties(tabstrip::PropertyBag &bag) const;

    // Repaints the retained image from the state and rebuilds tabRects.
    void drawTabs();

signals:
    void TabClick(int OldTab, int NewTab);
    // A setting changed; `key` is its key in the settings store.
    void propertyChanged(const QString &key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A stored setting: its key, the member that holds it, its default and its range.
    struct Setting;
    // In the order they are stored.
    static const Setting kSettings[];
    template <typename T> static const Setting &setting(T ctlTabs::*member);
    static QString captionKey(int index);

    // Every setter ends the same way: store, tell the host under the setting's key, repaint.
    // Each also forgets a tab that waits for its captions.
    void changed(const QString &key);
    // Stores a value in the setting's range (else does nothing) and ends as every setter does.
    template <typename T> void assign(T ctlTabs::*member, T value);
    void resetColor(tabstrip::OleColor ctlTabs::*member);
    QColor translated(tabstrip::OleColor color) const
    {
        return tabstrip::translateColor(color, palette());
    }
    void checkIndex(int index) const;
    // Places the pages inside the page area and shows the selected tab's.
    void placePages(const tabstrip::TabRect &page, QSize size);
    void showPages();

    // The stored settings; a new strip has their defaults (the constructor).
    int tabsWidth_;
    int tabsHeight_;
    int tabs_;
    int selectedTab_;
    int style_;
    int captionAlignment_;
    bool useFocusRect_;
    QStringList captions_;
    QFont tabFont_;
    QFont tabFontActive_;
    int tabFontCharset_; // character sets as stored, kept for the next save
    int tabFontActiveCharset_;
    tabstrip::OleColor tabColor_;
    tabstrip::OleColor tabColorActive_;
    tabstrip::OleColor textColor_;
    tabstrip::OleColor textColorActive_;
    // A tab beyond the present ones, asked for before the captions that make it exist (a form's
    // generated code sets the tab first): selected when the captions come, forgotten when any
    // other setting is set.
    int wantedTab_ = 0;
    bool hasFocus_ = false;
    QList<tabstrip::TabRect> tabRects_;
    QRect pageArea_;
    QList<QWidget *> pages_;
    QImage hDC_;
};
