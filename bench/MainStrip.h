#pragma once

#include <ctlTabs.h>

// The main window's tab strip: 353 × 313, three tabs of 60 × 18 with their captions.
inline void makeMainStrip(ctlTabs &tabs)
{
    tabs.resize(353, 313);
    tabs.setTabsWidth(60);
    tabs.setTabsHeight(18);
    tabs.setTabs(3);
    tabs.setCaption(1, QStringLiteral("常规"));
    tabs.setCaption(2, QStringLiteral("高级"));
    tabs.setCaption(3, QStringLiteral("简介"));
}
