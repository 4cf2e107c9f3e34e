// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <QString>

#include <cstdint>

namespace pelnori {

enum class EffectFileVerdict { OpenFailed, TooFewEffects, Usable };

// The effect count of an open resource as the game reads it: a count that
// cannot be read, or that does not fit 16 bits, reads as 0.
std::int16_t effectCount(HapticInterface &control, std::int32_t handle);

// Opens the file and counts its effects, as start-up and the effect-file
// button test a file: usable with at least one effect for each pair. An open that raises leaves handle 0, and the count is
// asked of that: a control that hands out no handle 0 cannot answer, so the
// file counts as having too few effects. The caller keeps no handle.
EffectFileVerdict checkEffectFile(HapticInterface &control, const QString &path, int pairs = kEffectsPerGame);

} // namespace pelnori
