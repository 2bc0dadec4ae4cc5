#include "mdlHotKey.h"

#include <Platform.h>

void mdlHotKey::installHotKey(QObject *window, std::function<void()> recall)
{
    if (installed_ || !platform_.registerHotkey())
        return;
    platform_.installHotkeyHandler(window, std::move(recall));
    installed_ = true;
}

void mdlHotKey::releaseHotKey()
{
    if (!installed_)
        return;
    platform_.removeHotkeyHandler();
    installed_ = false;
    platform_.unregisterHotkey();
}
