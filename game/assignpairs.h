// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/effectfilecheck.h"

namespace pelnori {

class Board;
class Platform;
struct Globals;

// Deals the first eight effects of the file named in the path box onto the
// sixteen card slots, two slots each, at random. Replaces Cards whole, stores
// the new handle in EffectResource and yields to the event queue before each
// name request and each draw. A file that does not open or holds fewer than
// eight effects leaves every slot empty and EffectResource at "no usable
// file"; the verdict says which and why. Throws EffectFileError when the control
// raises while it opens the file or reads its names.
EffectFileCheck AssignPairs(Board &board, Platform &platform, Globals &globals);

// The slot a draw r in [0, 1) picks: any of the sixteen.
int slotForDraw(float r);

} // namespace pelnori
