// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectrenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelnori {

namespace {

double clampUnit(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

double clampSigned(double v)
{
    return std::clamp(v, -1.0, 1.0);
}

bool isPeriodic(EffectType type)
{
    switch (type) {
    case EffectType::Sine:
    case EffectType::Square:
    case EffectType::Triangle:
    case EffectType::SawtoothUp:
    case EffectType::SawtoothDown:
        return true;
    default:
        return false;
    }
}

// One cycle of the wave at position x (0 … 1) of its period. All waves start
// their cycle like a sine: at or from 0 upwards, except the sawtooths, which
// start at the far end of their slope.
double wave(EffectType type, double x)
{
    switch (type) {
    case EffectType::Sine:
        return std::sin(2.0 * std::numbers::pi * x);
    case EffectType::Square:
        return x < 0.5 ? 1.0 : -1.0;
    case EffectType::Triangle:
        if (x < 0.25)
            return 4.0 * x;
        if (x < 0.75)
            return 2.0 - 4.0 * x;
        return 4.0 * x - 4.0;
    case EffectType::SawtoothUp:
        return 2.0 * x - 1.0;
    case EffectType::SawtoothDown:
        return 1.0 - 2.0 * x;
    default:
        return 0.0;
    }
}

// Share of a periodic effect that follows the wave (1) rather than buzzing (0).
double rhythmShare(int periodMs)
{
    const double share = double(periodMs - kBuzzPeriodMs) / double(kRhythmPeriodMs - kBuzzPeriodMs);
    return clampUnit(share);
}

bool isPlaying(const Effect &effect, double tMs)
{
    return effect.durationMs > 0 && tMs >= effect.delayMs && tMs < effectLengthMs(effect);
}

} // namespace

int effectLengthMs(const Effect &effect)
{
    return std::max(0, effect.delayMs) + std::max(0, effect.durationMs);
}

double envelopeGain(const Effect &effect, double playMs)
{
    double gain = 1.0;
    const Envelope &attack = effect.attack;
    if (attack.timeMs > 0 && playMs < attack.timeMs) {
        const double level = clampUnit(attack.level);
        gain = std::min(gain, level + (1.0 - level) * std::max(0.0, playMs) / attack.timeMs);
    }
    const Envelope &fade = effect.fade;
    const double fadeStart = double(effect.durationMs) - fade.timeMs;
    if (fade.timeMs > 0 && playMs > fadeStart) {
        const double level = clampUnit(fade.level);
        const double done = std::min(1.0, (playMs - fadeStart) / fade.timeMs);
        gain = std::min(gain, 1.0 + (level - 1.0) * done);
    }
    return clampUnit(gain);
}

double signedLevelAt(const Effect &effect, double tMs)
{
    if (!isPlaying(effect, tMs))
        return 0.0;
    const double playMs = tMs - effect.delayMs;
    const double gain = envelopeGain(effect, playMs);
    switch (effect.type) {
    case EffectType::Constant:
        return clampSigned(effect.magnitude * gain);
    case EffectType::Ramp: {
        const double progress = playMs / effect.durationMs;
        return clampSigned((effect.rampStart + (effect.rampEnd - effect.rampStart) * progress) * gain);
    }
    case EffectType::Rumble:
        return 0.0;
    default:
        break;
    }
    const double period = std::max(1, effect.periodMs);
    double x = playMs / period + effect.phaseDeg / 360.0;
    x -= std::floor(x);
    return clampSigned(effect.offset + effect.magnitude * gain * wave(effect.type, x));
}

MotorLevels motorLevelsAt(const Effect &effect, double tMs)
{
    if (!isPlaying(effect, tMs))
        return {};
    if (effect.type == EffectType::Rumble) {
        const double gain = envelopeGain(effect, tMs - effect.delayMs);
        return {clampUnit(effect.strong * gain), clampUnit(effect.weak * gain)};
    }

    const double level = signedLevelAt(effect, tMs);
    MotorLevels wave{std::max(level, 0.0), std::max(-level, 0.0)};
    if (!isPeriodic(effect.type))
        return wave;

    const double share = rhythmShare(effect.periodMs);
    if (share >= 1.0)
        return wave;
    // The buzz plays the wave's peak, as a fast wave is felt by its strength.
    const double gain = envelopeGain(effect, tMs - effect.delayMs);
    const double amplitude = clampUnit(std::abs(effect.offset) + std::abs(effect.magnitude) * gain);
    return {share * wave.strong, clampUnit(share * wave.weak + (1.0 - share) * amplitude)};
}

} // namespace pelnori
