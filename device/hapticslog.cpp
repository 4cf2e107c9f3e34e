// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hapticslog.h"

#include <SDL.h>

namespace pelnori {

// Only critical messages pass by default, and the control writes none: a
// player sees nothing until the category is turned on.
Q_LOGGING_CATEGORY(lcHaptics, "pelnori.haptics", QtCriticalMsg)

void logSdlFailure(const char *call)
{
    qCWarning(lcHaptics, "%s failed: %s", call, SDL_GetError());
}

} // namespace pelnori
