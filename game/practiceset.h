// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/effectfilecheck.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace pelnori {

struct Globals;

// Whether the practice board may be opened now: an effect file is in the
// path box and was found usable, and no game runs: none has been dealt
// since, or the last one has found every pair. Before the first game and
// after a file was chosen, EffectResource says so (kFileChosenNoGame); a
// game dealt holds its handle there.
bool practiceBoardOffered(const Globals &globals, const QString &effectPath);

// The effects the practice board shows, read from a handle of its own.
struct PracticeSet
{
    EffectFileCheck check;
    std::int32_t handle = 0;
    // The names of the first effects, as many as the pairs in play; a name
    // that cannot be read, or is blank, is left out; none at all refuses the
    // file as holding too few effects.
    QStringList names;
};

// Opens the file at path for the practice board and reads the names of its
// first `pairs` effects. The handle is the board's alone: Globals and the
// game's handle stay as they are, so nothing counts as a game. A file the
// game would refuse is refused here too (check says why, no names).
PracticeSet openPracticeSet(HapticInterface &control, const QString &path, int pairs);

} // namespace pelnori
