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

// How motor levels reach a device, by what it offers, the first that it has:
// - HapticEffect: a left/right effect of SDL's haptic API (the kernel's
//   rumble effect on Linux), or else a constant force;
// - HapticRumble: SDL's simple haptic rumble (a sine or left/right effect);
// - SdlRumble: SDL's joystick rumble, which SDL itself ends, on the thread
//   that pumps it (on Linux the kernel is handed an effect of about 65 s);
// - the haptic API's constant force as the last resort.
// Every haptic route hands the device a length it ends the level after by
// itself; only SdlRumble depends on our thread to stop the motors.
enum class MotorRoute { None, HapticEffect, HapticRumble, SdlRumble };
// haptic: SDL's haptic API opened the device, with these SDL_HAPTIC_* flags
// (query), and simpleRumble when SDL_HapticRumbleSupported; sdlRumble: SDL's
// joystick or game-controller rumble works on it.
MotorRoute motorRoute(bool haptic, unsigned query, bool simpleRumble, bool sdlRumble);

// Two motor levels from 0 to 1 as an effect the device plays for lengthMs
// and then ends by itself: a left/right effect where the device has one
// (query), else a constant force of the stronger level; empty with neither.
std::optional<SDL_HapticEffect> sdlMotorEffect(double strong, double weak, unsigned query, Uint32 lengthMs);

// The SDL_HAPTIC_* flag a device must report to play the effect itself; 0
// when SDL has no such effect type (square waves).
unsigned sdlHapticType(const Effect &effect);

// The effect as SDL hands it to a force-feedback device: levels scaled to
// SDL's ranges, envelope levels as absolute levels, direction in polar
// hundredths of a degree. Empty when SDL cannot express it: square waves, and
// rumble with a delay or an envelope (left/right effects have neither).
std::optional<SDL_HapticEffect> toSdlHapticEffect(const Effect &effect);

} // namespace pelnori
