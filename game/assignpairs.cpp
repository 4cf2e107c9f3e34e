// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/assignpairs.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/platform.h"

#include <algorithm>
#include <cmath>

namespace pelnori {

namespace {

bool isFree(const CardSlot &slot)
{
    return slot.EffectName.trimmed().isEmpty();
}

int drawFreeSlot(Platform &platform, const CardSlots &cards, int slotCount)
{
    for (;;) {
        platform.yieldEvents();
        platform.reseedRandom();
        const int slot = slotForDraw(platform.nextRandom(), slotCount);
        if (isFree(cards[slot]))
            return slot;
    }
}

} // namespace

int slotForDraw(float r, int slotCount)
{
    const auto slot = static_cast<int>(std::floor(static_cast<float>(slotCount) * r));
    return std::clamp(slot, 0, slotCount - 1);
}

EffectFileVerdict AssignPairs(Board &board, Platform &platform, Globals &globals, int pairs)
{
    pairs = std::clamp(pairs, 1, kEffectsPerGame);
    const int slotCount = 2 * pairs;
    globals.Cards.emplace();
    CardSlots &cards = *globals.Cards;
    platform.reseedRandom();

    if (!globals.HapticControl)
        throw HapticError("no haptic control");
    HapticInterface &control = *globals.HapticControl;
    const QString path = board.effectPath();
    const auto read = [&path](auto &&call) {
        try {
            return call();
        } catch (const std::exception &) {
            throw EffectFileError(path);
        }
    };
    // The names come from the file opened here, even when the player picks
    // another file in one of the yields below and EffectResource changes.
    const std::int32_t handle = read([&] { return control.OpenForceResource(path); });
    globals.EffectResource = handle;
    if (handle < -1) {
        globals.EffectResource = kNoUsableFile;
        return EffectFileVerdict::OpenFailed;
    }
    if (effectCount(control, handle) < pairs) {
        globals.EffectResource = kNoUsableFile;
        return EffectFileVerdict::TooFewEffects;
    }

    for (std::int16_t pair = 0; pair < pairs; ++pair) {
        platform.yieldEvents();
        const QString name = read([&] { return control.GetNameOfEffect(pair, handle); });

        cards[drawFreeSlot(platform, cards, slotCount)].EffectName = name;

        if (pair == pairs - 1) {
            // The last card goes to the one slot left free.
            platform.yieldEvents();
            const auto end = cards.begin() + slotCount;
            const auto it = std::find_if(cards.begin(), end, isFree);
            if (it != end)
                it->EffectName = name;
            break;
        }
        cards[drawFreeSlot(platform, cards, slotCount)].EffectName = name;
    }
    return EffectFileVerdict::Usable;
}

} // namespace pelnori
