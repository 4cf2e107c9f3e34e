// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <QString>

namespace pelnori {

// How alike two effects feel on a rumble pad, from 0 (nothing alike) to 1
// (felt the same), and in words what sets them apart or not.
struct Likeness
{
    double score = 0.0;
    QString reason;
};

// From this score on, a player cannot reliably tell the two effects apart.
inline constexpr double kTooAlikeFrom = 0.85;

// Compares what the two motors play for each effect, as the game plays it:
// rhythm (which motor, when, in what shape) and length weigh fully, strength
// by half, and timing details shorter than about 20 ms hardly at all. The
// measure is described in docs/effect-files.md. Pure.
Likeness likeness(const Effect &a, const Effect &b);

} // namespace pelnori
