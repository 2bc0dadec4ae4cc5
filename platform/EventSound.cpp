#include "EventSound.h"

namespace platform {

const char *eventSoundName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return "dialog-information";
    case MsgIcon::Exclamation:
        return "dialog-warning";
    case MsgIcon::Critical:
        return "dialog-error";
    case MsgIcon::Question:
    case MsgIcon::None:
        break;
    }
    return nullptr;
}

} // namespace platform
