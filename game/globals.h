// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace pelnori {

// EffectResource sentinels: below -1 no game runs.
inline constexpr std::int32_t kNoUsableFile = -100;
inline constexpr std::int32_t kFileChosenNoGame = -50;

// One card position: the effect its card plays (empty: free) and whether its
// pair has been found (0 or -1).
struct CardSlot
{
    QString EffectName;
    std::int16_t Matched = 0;
};

using CardSlots = std::array<CardSlot, 16>;

// The program-wide state that lives until the program ends.
struct Globals
{
    std::unique_ptr<HapticInterface> HapticControl;
    std::int32_t EffectResource = 0;
    std::optional<CardSlots> Cards; // absent before the first game
    std::int32_t StartSeconds = 0;
};

} // namespace pelnori
