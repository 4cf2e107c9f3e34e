// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <SDL_haptic.h>

#include <optional>

namespace pelnori {

// A motor level from 0 to 1 as SDL's 16-bit motor word (rumble commands and
// left/right effects); levels outside are clamped.
Uint16 sdlMotorWord(double level);
// A signed level from -1 to 1 as SDL's 16-bit force level (constant, ramp and
// periodic effects); levels outside are clamped.
Sint16 sdlForceLevel(double fraction);

// The SDL_HAPTIC_* flag a device must report to play the effect itself; 0
// when SDL has no such effect type (square waves).
unsigned sdlHapticType(const Effect &effect);

// The effect as SDL hands it to a force-feedback device: levels scaled to
// SDL's ranges, envelope levels as absolute levels, direction in polar
// hundredths of a degree. Empty when SDL cannot express it: square waves, and
// rumble with a delay or an envelope (left/right effects have neither).
std::optional<SDL_HapticEffect> toSdlHapticEffect(const Effect &effect);

} // namespace pelnori
