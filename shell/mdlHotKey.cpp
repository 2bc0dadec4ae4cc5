#include "mdlHotKey.h"

#include <Platform.h>

bool mdlHotKey::installHotKey(QObject *window, std::function<void()> recall)
{
    if (installed_ || !platform_.registerHotkey())
        return installed_;
    platform_.installHotkeyHandler(window, std::move(recall));
    return installed_ = true;
}

void mdlHotKey::releaseHotKey()
{
    if (!installed_)
        return;
    platform_.removeHotkeyHandler();
    installed_ = false;
    platform_.unregisterHotkey();
}
