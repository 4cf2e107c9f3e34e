// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

class Board;
class OpenFileDialog;
class Platform;
struct Globals;

// The effect-file button: the player picks a file in the open-file dialog, its
// path goes into the path box, and the file is tested like the default one at
// start-up, for a game of `pairs` pairs. A usable file becomes the next
// game's; an unusable one is reported and its path removed. Cancelling
// changes nothing. The dialog opens beside the file in the path box, or where
// the player last browsed when it is empty.
void cmbRead_IFR_Click(OpenFileDialog &dialog, Board &board, Platform &platform, Globals &globals,
                       int pairs = 8);

inline constexpr int kEffectFileDialogFlags = 39940;

} // namespace pelnori
