// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shake.h"

#include "game/board.h"
#include "game/platform.h"

#include <cstdint>

namespace pelnori {

void ShakeWindow(Board &window, Platform &platform)
{
    for (std::int16_t pass = 0; pass <= kShakePasses - 1; ++pass) {
        platform.yieldEvents();
        window.setWindowLeft(window.windowLeft() - 10.0f);
        window.setWindowLeft(window.windowLeft() + 20.0f);
        window.setWindowTop(window.windowTop() + 10.0f);
        window.setWindowTop(window.windowTop() - 20.0f);
        window.setWindowLeft(window.windowLeft() - 10.0f);
        window.setWindowTop(window.windowTop() + 10.0f);
    }
}

} // namespace pelnori
