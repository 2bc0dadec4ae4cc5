// The message box's sound: the system's sound for a box with that icon.
#include "DesktopPlatform.h"

#include <windows.h>

namespace platform {

void playMessageSound(MsgIcon icon)
{
    UINT sound = MB_OK;
    switch (icon) {
    case MsgIcon::Information:
        sound = MB_ICONINFORMATION;
        break;
    case MsgIcon::Exclamation:
        sound = MB_ICONWARNING;
        break;
    case MsgIcon::Question:
        sound = MB_ICONQUESTION;
        break;
    case MsgIcon::Critical:
        sound = MB_ICONERROR;
        break;
    case MsgIcon::None:
        break;
    }
    ::MessageBeep(sound);
}

} // namespace platform
