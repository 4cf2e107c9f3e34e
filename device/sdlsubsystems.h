// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>

#include <vector>

namespace pelnori {

// SDL's joystick, game-controller and haptic subsystems, as many of them as
// will start, kept while this object lives. Made and destroyed on the
// playback thread.
class SdlSubsystems
{
public:
    SdlSubsystems();
    ~SdlSubsystems();

    SdlSubsystems(const SdlSubsystems &) = delete;
    SdlSubsystems &operator=(const SdlSubsystems &) = delete;

    // False when none started: the control cannot play anything here.
    bool any() const { return !m_started.empty(); }

private:
    std::vector<Uint32> m_started;
};

} // namespace pelnori
