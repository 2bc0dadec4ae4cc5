// Fonts: Windows has 宋体 and its own hinting; nothing to stand in.
#include "DesktopPlatform.h"

namespace platform {

void DesktopPlatform::standInFonts() {}

} // namespace platform
