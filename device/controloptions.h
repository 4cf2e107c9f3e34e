// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

// How the haptic control is made, chosen by whoever creates it.
struct ControlOptions
{
    // Every effect is also played as sound on the default audio output, and
    // an output that opens counts as a device: the game can be played by ear.
    bool sound = false;
};

} // namespace pelnori
