// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectsound.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

namespace pelnori {

namespace {

constexpr double kStrongRootHz = 165.0;
constexpr double kWeakRootHz = 780.0;
// Each tone peaks below 1, so both motors at full strength stay below full scale.
constexpr double kToneGain = 0.45;
constexpr double kLevelStepPerFrame = 1000.0 / (kSoundRampMs * kSoundRate);

// A root and its overtones; the weights add up to 1.
double harmonics(double tSec, double rootHz, std::initializer_list<double> weights)
{
    double sum = 0.0;
    double overtone = 1.0;
    for (double weight : weights) {
        sum += weight * std::sin(2.0 * std::numbers::pi * overtone * rootHz * tSec);
        overtone += 1.0;
    }
    return sum;
}

double toward(double level, double target)
{
    return level + std::clamp(target - level, -kLevelStepPerFrame, kLevelStepPerFrame);
}

} // namespace

double strongTone(double tSec)
{
    return harmonics(tSec, kStrongRootHz, {0.5, 0.25, 0.15, 0.1});
}

double weakTone(double tSec)
{
    return harmonics(tSec, kWeakRootHz, {0.8, 0.2});
}

EffectVoice::EffectVoice(Effect effect)
    : m_effect(std::move(effect))
    , m_endFrame(std::int64_t(effectLengthMs(m_effect)) * kSoundRate / 1000)
{
}

void EffectVoice::mixInto(float *out, int frames)
{
    for (int i = 0; i < frames && !m_done; ++i, ++m_frame) {
        const double tSec = double(m_frame) / kSoundRate;
        const MotorLevels target = m_cut ? MotorLevels{} : motorLevelsAt(m_effect, tSec * 1000.0);
        m_level = {toward(m_level.strong, target.strong), toward(m_level.weak, target.weak)};
        if ((m_cut || m_frame >= m_endFrame) && m_level == MotorLevels{}) {
            m_done = true;
            break;
        }
        out[i] += float(kToneGain * (m_level.strong * strongTone(tSec) + m_level.weak * weakTone(tSec)));
    }
}

} // namespace pelnori
