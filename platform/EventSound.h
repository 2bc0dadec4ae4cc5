#pragma once

#include "Platform.h"

namespace platform {

// The desktop's event sound for a message box with `icon`, by its name in the freedesktop sound
// theme, or nullptr for a box that makes no sound: the system's boxes sound for information,
// warnings and errors, not for questions.
const char *eventSoundName(MsgIcon icon);

} // namespace platform
