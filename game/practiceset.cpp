// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/practiceset.h"

#include "common/errors.h"
#include "game/globals.h"

#include <algorithm>

namespace pelnori {

bool practiceBoardOffered(const Globals &globals, const QString &effectPath)
{
    if (!globals.HapticControl || effectPath.isEmpty())
        return false;
    if (globals.EffectResource == kFileChosenNoGame)
        return true;
    // Below -1 otherwise: no usable file. A dealt game counts as running
    // until its last pair is found, its deal included.
    if (globals.EffectResource < -1 || !globals.Cards)
        return false;
    return std::all_of(globals.Cards->begin(), globals.Cards->end(),
                       [](const CardSlot &slot) { return slot.Matched == -1; });
}

PracticeSet openPracticeSet(HapticInterface &control, const QString &path, int pairs)
{
    PracticeSet set;
    set.handle = -2;
    skipOnError([&] { set.handle = control.OpenForceResource(path); });
    set.check = judgeOpenedFile(control, set.handle);
    if (set.check.verdict != EffectFileVerdict::Usable)
        return set;
    int count = 0;
    skipOnError([&] { count = control.GetNumberOfEffects(set.handle); });
    const int shown = std::clamp(pairs, 1, std::max(count, 1));
    for (int i = 0; i < shown; ++i)
        skipOnError([&] {
            // A blank name, as in a game, plays nothing.
            if (QString name = control.GetNameOfEffect(std::int16_t(i), set.handle); !name.trimmed().isEmpty())
                set.names << name;
        });
    if (set.names.isEmpty())
        set.check = {EffectFileVerdict::TooFewEffects, {}, 0};
    return set;
}

} // namespace pelnori
