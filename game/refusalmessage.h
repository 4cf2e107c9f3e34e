// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/effectfilecheck.h"

#include <QString>

namespace pelnori {

// What the player is told about a refused effect file, in the interface's
// language: the warning for a file that does not open or holds too few
// effects, then on a second line why, when that is known.
QString refusalMessage(const EffectFileCheck &check);

} // namespace pelnori
