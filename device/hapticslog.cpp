// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hapticslog.h"

#include <SDL.h>

namespace pelnori {

// Only critical messages pass by default, and the control writes none: a
// player sees nothing until the category is turned on.
Q_LOGGING_CATEGORY(lcHaptics, "pelnori.haptics", QtCriticalMsg)

namespace {

// Trivially destroyed, so it outlives every static of the process.
thread_local const std::atomic<bool> *t_leftBehind = nullptr;

} // namespace

void markPlaybackThread(const std::atomic<bool> *leftBehind)
{
    t_leftBehind = leftBehind;
}

bool threadLeftBehind()
{
    return t_leftBehind && t_leftBehind->load();
}

void logSdlFailure(const char *call)
{
    if (threadLeftBehind())
        return;
    qCWarning(lcHaptics, "%s failed: %s", call, SDL_GetError());
}

} // namespace pelnori
