// The message box's sound: the system's sound for a box with that icon.
#include "DesktopPlatform.h"

#include <windows.h>

namespace platform {

void playMessageSound(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        ::MessageBeep(MB_ICONINFORMATION);
        break;
    case MsgIcon::Exclamation:
        ::MessageBeep(MB_ICONWARNING);
        break;
    case MsgIcon::Question:
        ::MessageBeep(MB_ICONQUESTION);
        break;
    case MsgIcon::Critical:
        ::MessageBeep(MB_ICONERROR);
        break;
    case MsgIcon::None:
        ::MessageBeep(MB_OK);
        break;
    }
}

} // namespace platform
