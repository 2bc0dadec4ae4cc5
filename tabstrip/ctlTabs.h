#pragma once

#include "OleColor.h"
#include "TabGeometry.h"

#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

namespace tabstrip {
class PropertyBag;
}

// An owner-drawn tab strip: tabs along one edge around a framed page area. It does not own the
// pages; its container shows the page of the chosen tab when TabClick arrives. Its members are
// reachable by name through the meta-object system, for hosts that know it only at run time.
class ctlTabs : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ScaleMode READ ScaleMode)
    // The colours as a form designer edits them; a system colour reads as its present value.
    // Reset brings back the system colour a new strip has.
    Q_PROPERTY(QColor TextColor READ textColor WRITE setTextColor RESET resetTextColor)
    Q_PROPERTY(QColor TextColorActive READ textColorActive WRITE setTextColorActive RESET
                   resetTextColorActive)
    Q_PROPERTY(QColor TabColor READ tabColor WRITE setTabColor RESET resetTabColor)
    Q_PROPERTY(
        QColor TabColorActive READ tabColorActive WRITE setTabColorActive RESET resetTabColorActive)
    Q_PROPERTY(QFont TabFont READ tabFont WRITE setTabFont)
    Q_PROPERTY(QFont TabFontActive READ tabFontActive WRITE setTabFontActive)
    // By name in a form designer; the stored numbers are the enumerators' values.
    Q_PROPERTY(TabStyle Style READ tabStyle WRITE setStyle)
    Q_PROPERTY(Alignment CaptionAlignment READ alignment WRITE setCaptionAlignment)
    Q_PROPERTY(int TabsWidth READ TabsWidth WRITE setTabsWidth)
    Q_PROPERTY(int TabsHeight READ TabsHeight WRITE setTabsHeight)
    // A form keeps the captions; their number is the number of tabs.
    Q_PROPERTY(int Tabs READ Tabs WRITE setTabs DESIGNABLE false STORED false)
    Q_PROPERTY(QStringList Captions READ Captions WRITE setCaptions)
    Q_PROPERTY(int SelectedTab READ SelectedTab WRITE setSelectedTab)
    Q_PROPERTY(bool UseFocusRect READ UseFocusRect WRITE setUseFocusRect)

public:
    static constexpr int kMaxTabs = 32767; // a 16-bit count

    // Where the tabs lie: along an edge, starting at one of its ends.
    enum TabStyle {
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
    enum Alignment {
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
    // The retained image that drawTabs paints and paintEvent shows.
    const QImage &hDC() const { return hDC_; }
    // Each tab's hit rectangle as last drawn, tab 1 first.
    const QList<tabstrip::TabRect> &tabRects() const { return tabRects_; }

    tabstrip::OleColor TextColor() const { return textColor_; }
    tabstrip::OleColor TextColorActive() const { return textColorActive_; }
    tabstrip::OleColor TabColor() const { return tabColor_; }
    tabstrip::OleColor TabColorActive() const { return tabColorActive_; }
    void setTextColor(tabstrip::OleColor color);
    void setTextColorActive(tabstrip::OleColor color);
    void setTabColor(tabstrip::OleColor color);
    void setTabColorActive(tabstrip::OleColor color);
    QColor textColor() const { return tabstrip::translateColor(textColor_, palette()); }
    QColor textColorActive() const { return tabstrip::translateColor(textColorActive_, palette()); }
    QColor tabColor() const { return tabstrip::translateColor(tabColor_, palette()); }
    QColor tabColorActive() const { return tabstrip::translateColor(tabColorActive_, palette()); }
    void setTextColor(const QColor &color) { setTextColor(tabstrip::oleColor(color)); }
    void setTextColorActive(const QColor &color) { setTextColorActive(tabstrip::oleColor(color)); }
    void setTabColor(const QColor &color) { setTabColor(tabstrip::oleColor(color)); }
    void setTabColorActive(const QColor &color) { setTabColorActive(tabstrip::oleColor(color)); }
    void resetTextColor() { setTextColor(kTextColor); }
    void resetTextColorActive() { setTextColorActive(kTextColorActive); }
    void resetTabColor() { setTabColor(kTabColor); }
    void resetTabColorActive() { setTabColorActive(kTabColorActive); }

    // The control's own fonts: a change made through the reference shows at the next repaint,
    // with no notification.
    QFont &TabFont() { return tabFont_; }
    QFont &TabFontActive() { return tabFontActive_; }
    QFont tabFont() const { return tabFont_; }
    QFont tabFontActive() const { return tabFontActive_; }
    void setTabFont(const QFont &font);
    void setTabFontActive(const QFont &font);

    // Throws std::out_of_range for an index outside 1..Tabs.
    Q_INVOKABLE QString Caption(int index) const;
    Q_INVOKABLE void setCaption(int index, const QString &caption);
    // All captions, tab 1 first. Setting them sets the number of tabs (at least one), then
    // each caption, as the caption page applies its list.
    QStringList Captions() const { return captions_; }
    void setCaptions(const QStringList &captions);

    int Style() const { return style_; }
    TabStyle tabStyle() const { return TabStyle(style_); }
    using QWidget::setStyle;
    void setStyle(int style);
    int CaptionAlignment() const { return captionAlignment_; }
    Alignment alignment() const { return Alignment(captionAlignment_); }
    void setCaptionAlignment(int alignment);
    int TabsWidth() const { return tabsWidth_; }
    void setTabsWidth(int width);
    int TabsHeight() const { return tabsHeight_; }
    void setTabsHeight(int height);
    int Tabs() const { return tabs_; }
    void setTabs(int tabs);
    int SelectedTab() const { return selectedTab_; }
    // A tab beyond the last is the last, and selected instead once captions that hold it come.
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
    // Every setter ends the same way: store, tell the host under the setting's key, repaint.
    void changed(const QString &key);
    template <typename T> void store(T &setting, const T &value, const char *key);
    void checkIndex(int index) const;
    // Places the pages on the page area and shows the selected tab's.
    void showPages();

    static constexpr tabstrip::OleColor kTabColor = tabstrip::systemColor(16);
    static constexpr tabstrip::OleColor kTabColorActive = tabstrip::systemColor(15);
    static constexpr tabstrip::OleColor kTextColor = tabstrip::systemColor(20);
    static constexpr tabstrip::OleColor kTextColorActive = tabstrip::systemColor(18);

    int tabsWidth_ = 70;
    int tabsHeight_ = 20;
    int tabs_ = 2;
    int selectedTab_ = 1;
    int style_ = 0;
    int captionAlignment_ = 4;
    bool useFocusRect_ = false;
    QStringList captions_{QStringLiteral("Tab 1"), QStringLiteral("Tab 2")};
    QFont tabFont_;
    QFont tabFontActive_;
    int tabFontCharset_ = 1; // character sets as stored, kept for the next save
    int tabFontActiveCharset_ = 1;
    tabstrip::OleColor tabColor_ = kTabColor;
    tabstrip::OleColor tabColorActive_ = kTabColorActive;
    tabstrip::OleColor textColor_ = kTextColor;
    tabstrip::OleColor textColorActive_ = kTextColorActive;
    // A tab beyond the present ones, asked for before the captions that make it exist (a form's
    // generated code sets the tab first): selected when the captions come, forgotten when the
    // number of tabs is set otherwise.
    int wantedTab_ = 0;
    bool hasFocus_ = false;
    QList<tabstrip::TabRect> tabRects_;
    QRect pageArea_;
    QList<QWidget *> pages_;
    QImage hDC_;
};
