// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

namespace pelnori {

// A controller press while a popup menu, or a modal dialog or message box of
// the program is on top, given to it as the key the player would press there:
// the d-pad and stick as the arrow keys, Turn and Start as Enter (Turn on a
// check box as Space), Cancel as Escape, the next and previous field as Tab
// and Shift+Tab. False, and nothing done, when no such window is up. On the
// window's thread.
bool padToModalWindow(PadAction action);

} // namespace pelnori
