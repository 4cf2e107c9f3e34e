// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace pelnori {

// The waveforms an effect file can ask for. Periodic ones use period, phase and
// offset; Ramp goes from rampStart to rampEnd; Rumble drives the two motors of
// a gamepad directly with strong and weak.
enum class EffectType {
    Constant,
    Sine,
    Square,
    Triangle,
    SawtoothUp,
    SawtoothDown,
    Ramp,
    Rumble,
};

// Attack or fade of an effect: the level (0 … 1, as a fraction of the
// magnitude) that the effect starts from or fades to, and how long that takes.
struct Envelope {
    int timeMs = 0;
    double level = 0.0;

    bool operator==(const Envelope &) const = default;
};

// One named effect of an effect file. Strengths are fractions: magnitude,
// levels, strong and weak 0 … 1; offset, rampStart and rampEnd -1 … 1.
struct Effect {
    QString name;
    EffectType type = EffectType::Constant;
    int durationMs = 0;
    int delayMs = 0;
    double magnitude = 1.0;
    int periodMs = 100;
    double offset = 0.0;
    int phaseDeg = 0;
    int directionDeg = 0;
    double rampStart = 0.0;
    double rampEnd = 0.0;
    double strong = 0.0;
    double weak = 0.0;
    Envelope attack;
    Envelope fade;

    bool operator==(const Effect &) const = default;
};

using EffectList = std::vector<Effect>;

} // namespace pelnori
