// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <optional>
#include <string>
#include <string_view>

namespace pelnori {

// Which controller button does what, by SDL's names for the buttons. The
// player gives four actions a button of their choice; the d-pad, B, the
// shoulders and Back keep theirs, unless one of the four was given to them.
struct PadMapping
{
    std::string turn = "a";
    std::string start = "start";
    std::string readFile = "x";
    std::string state = "y";
    // Percent of the stick's travel that does nothing (see PadStepper).
    int deadZone = 25;

    bool operator==(const PadMapping &) const = default;
};

// What the button named button stands for under mapping; empty for a button
// that does nothing.
std::optional<PadAction> padActionOf(const PadMapping &mapping, std::string_view button);

} // namespace pelnori
