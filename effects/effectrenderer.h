// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

namespace pelnori {

// Strength of the two rumble motors of a gamepad, each 0 … 1: strong is the
// low-frequency motor with the heavy weight, weak the high-frequency one.
struct MotorLevels
{
    double strong = 0.0;
    double weak = 0.0;

    bool operator==(const MotorLevels &) const = default;
};

// Periods at or below kBuzzPeriodMs are too fast for a motor to follow: they
// are felt as a steady buzz on the weak motor. From kRhythmPeriodMs up the
// motors follow the wave itself. In between the two blend.
inline constexpr int kBuzzPeriodMs = 40;
inline constexpr int kRhythmPeriodMs = 160;

// How long an effect lasts from its start, delay included.
int effectLengthMs(const Effect &effect);

// The envelope's gain (0 … 1) at playMs into the effect's play time, counted
// from the end of its delay: attack rises from its level to 1, fade falls
// from 1 to its level; where they overlap the lower one wins.
double envelopeGain(const Effect &effect, double playMs);

// The effect's signed single-axis level (-1 … 1) at tMs after it was
// started, envelope applied; 0 during the delay, after the end and for Rumble.
double signedLevelAt(const Effect &effect, double tMs);

// What the two motors play at tMs after the effect was started. Rumble drives
// strong and weak directly (shaped by the envelope). A slow wave pushes the
// strong motor on its positive half and the weak motor on its negative half,
// so its rhythm is felt at its own period; a fast one buzzes the weak motor
// at the wave's amplitude. Constant and ramp are slow waves.
MotorLevels motorLevelsAt(const Effect &effect, double tMs);

} // namespace pelnori
