// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdleffect.h"

#include <algorithm>
#include <cmath>

namespace pelnori {

namespace {

constexpr double kSignedFull = 32767.0;
constexpr double kUnsignedFull = 65535.0;

// Envelope levels are absolute, on the same scale as the magnitude.
Uint16 toEnvelopeLevel(double fraction)
{
    return Uint16(std::lround(std::clamp(fraction, 0.0, 1.0) * kSignedFull));
}

Uint16 toMs16(int ms)
{
    return Uint16(std::clamp(ms, 0, 65535));
}

SDL_HapticDirection polar(int degrees)
{
    SDL_HapticDirection direction{};
    direction.type = SDL_HAPTIC_POLAR;
    direction.dir[0] = ((degrees % 360) + 360) % 360 * 100;
    return direction;
}

// Fills the fields that constant, periodic and ramp effects share.
template<typename Fields>
void fillCommon(Fields &fields, const Effect &effect, double peak)
{
    fields.direction = polar(effect.directionDeg);
    fields.length = Uint32(std::max(0, effect.durationMs));
    fields.delay = toMs16(effect.delayMs);
    fields.attack_length = toMs16(effect.attack.timeMs);
    fields.attack_level = toEnvelopeLevel(effect.attack.level * peak);
    fields.fade_length = toMs16(effect.fade.timeMs);
    fields.fade_level = toEnvelopeLevel(effect.fade.level * peak);
}

bool hasEnvelope(const Effect &effect)
{
    return effect.attack.timeMs > 0 || effect.fade.timeMs > 0;
}

} // namespace

Sint16 sdlForceLevel(double fraction)
{
    return Sint16(std::lround(std::clamp(fraction, -1.0, 1.0) * kSignedFull));
}

Uint16 sdlMotorWord(double level)
{
    return Uint16(std::lround(std::clamp(level, 0.0, 1.0) * kUnsignedFull));
}

MotorRoute motorRoute(bool haptic, unsigned query, bool simpleRumble, bool sdlRumble)
{
    if (haptic && (query & SDL_HAPTIC_LEFTRIGHT))
        return MotorRoute::HapticEffect;
    if (haptic && simpleRumble)
        return MotorRoute::HapticRumble;
    if (sdlRumble)
        return MotorRoute::SdlRumble;
    if (haptic && (query & SDL_HAPTIC_CONSTANT))
        return MotorRoute::HapticEffect;
    return MotorRoute::None;
}

std::optional<SDL_HapticEffect> sdlMotorEffect(double strong, double weak, unsigned query, Uint32 lengthMs)
{
    SDL_HapticEffect effect{};
    if (query & SDL_HAPTIC_LEFTRIGHT) {
        effect.type = SDL_HAPTIC_LEFTRIGHT;
        effect.leftright.type = effect.type;
        effect.leftright.length = lengthMs;
        effect.leftright.large_magnitude = sdlMotorWord(strong);
        effect.leftright.small_magnitude = sdlMotorWord(weak);
    } else if (query & SDL_HAPTIC_CONSTANT) {
        effect.type = SDL_HAPTIC_CONSTANT;
        effect.constant.type = effect.type;
        effect.constant.direction.type = SDL_HAPTIC_POLAR;
        effect.constant.length = lengthMs;
        effect.constant.level = sdlForceLevel(std::max(strong, weak));
    } else {
        return std::nullopt;
    }
    return effect;
}

unsigned sdlHapticType(const Effect &effect)
{
    switch (effect.type) {
    case EffectType::Constant:
        return SDL_HAPTIC_CONSTANT;
    case EffectType::Sine:
        return SDL_HAPTIC_SINE;
    case EffectType::Square:
        return 0;
    case EffectType::Triangle:
        return SDL_HAPTIC_TRIANGLE;
    case EffectType::SawtoothUp:
        return SDL_HAPTIC_SAWTOOTHUP;
    case EffectType::SawtoothDown:
        return SDL_HAPTIC_SAWTOOTHDOWN;
    case EffectType::Ramp:
        return SDL_HAPTIC_RAMP;
    case EffectType::Rumble:
        return SDL_HAPTIC_LEFTRIGHT;
    }
    return 0;
}

std::optional<SDL_HapticEffect> toSdlHapticEffect(const Effect &effect)
{
    const unsigned type = sdlHapticType(effect);
    if (type == 0)
        return std::nullopt;

    SDL_HapticEffect out{};
    out.type = Uint16(type);
    switch (effect.type) {
    case EffectType::Constant:
        out.constant.type = out.type;
        out.constant.level = sdlForceLevel(effect.magnitude);
        fillCommon(out.constant, effect, std::abs(effect.magnitude));
        break;
    case EffectType::Ramp:
        out.ramp.type = out.type;
        out.ramp.start = sdlForceLevel(effect.rampStart);
        out.ramp.end = sdlForceLevel(effect.rampEnd);
        fillCommon(out.ramp, effect, std::max(std::abs(effect.rampStart), std::abs(effect.rampEnd)));
        break;
    case EffectType::Rumble:
        if (effect.delayMs > 0 || hasEnvelope(effect))
            return std::nullopt;
        out.leftright.type = out.type;
        out.leftright.length = Uint32(std::max(0, effect.durationMs));
        out.leftright.large_magnitude = sdlMotorWord(effect.strong);
        out.leftright.small_magnitude = sdlMotorWord(effect.weak);
        break;
    default:
        out.periodic.type = out.type;
        out.periodic.period = Uint16(std::clamp(effect.periodMs, 1, 65535));
        out.periodic.magnitude = sdlForceLevel(effect.magnitude);
        out.periodic.offset = sdlForceLevel(effect.offset);
        out.periodic.phase = Uint16(((effect.phaseDeg % 360) + 360) % 360 * 100);
        fillCommon(out.periodic, effect, std::abs(effect.magnitude));
        break;
    }
    return out;
}

} // namespace pelnori
