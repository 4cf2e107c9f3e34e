// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/effectfilecheck.h"

namespace pelnori {

class Board;
class Platform;
struct Globals;

// Deals the first `pairs` effects of the file named in the path box onto the
// first 2 × pairs card slots, two slots each, at random; the slots beyond stay
// empty. Replaces Cards whole, stores the new handle in EffectResource and
// yields to the event queue before each name request and each draw. A file
// that does not open or holds fewer effects than pairs leaves every slot
// empty and EffectResource at "no usable file"; the verdict says which.
// Throws EffectFileError when the control raises while it opens the file or
// reads its names.
EffectFileVerdict AssignPairs(Board &board, Platform &platform, Globals &globals, int pairs = 8);

// The slot a draw r in [0, 1) picks: any of the first `slotCount`.
int slotForDraw(float r, int slotCount = 16);

} // namespace pelnori
