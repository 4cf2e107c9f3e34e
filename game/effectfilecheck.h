// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace pelnori {

enum class EffectFileVerdict { OpenFailed, TooFewEffects, Usable };

// A verdict on a file with what tells the player why it was refused.
struct EffectFileCheck
{
    EffectFileVerdict verdict = EffectFileVerdict::Usable;
    // OpenFailed: the control's reason.
    OpenFailure failure = {};
    // TooFewEffects: the effects the file holds, when the count was read.
    std::optional<int> count = std::nullopt;
    // TooFewEffects: the effects a game of the chosen pairs needs.
    int needed = kEffectsPerGame;
};

// The verdict on an opened resource: handle < -1 did not open, and the
// control is asked why; otherwise its effects are counted. A count that
// cannot be read, or that does not fit 16 bits, reads as 0.
EffectFileCheck judgeOpenedFile(HapticInterface &control, std::int32_t handle, int pairs = kEffectsPerGame);

// Opens the file and counts its effects, as start-up and the effect-file
// button test a file: usable with at least one effect for each pair. An open that raises leaves handle 0, and the count is
// asked of that: a control that hands out no handle 0 cannot answer, so the
// file counts as having too few effects. The caller keeps no handle.
EffectFileCheck checkEffectFile(HapticInterface &control, const QString &path, int pairs = kEffectsPerGame);

} // namespace pelnori
