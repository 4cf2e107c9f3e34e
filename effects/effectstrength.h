// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

namespace pelnori {

// The strengths a player can set, in percent of the effects as designed.
inline constexpr int kMinStrengthPercent = 10;
inline constexpr int kMaxStrengthPercent = 100;

// The effect at percent of its strength (kept within the range above):
// magnitude, offset, ramp levels and both motors scaled. Envelope levels are
// fractions of the magnitude and follow it; times, period, phase and
// direction are unchanged. 100 gives the effect as it is.
Effect atStrength(Effect effect, int percent);

} // namespace pelnori
