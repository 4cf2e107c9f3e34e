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
// changes nothing.
void cmbRead_IFR_Click(OpenFileDialog &dialog, Board &board, Platform &platform, Globals &globals,
                       int pairs = 8);

// The warnings for a file that does not open and one with fewer effects than
// `pairs`, in the interface's language.
QString openErrorMessage();
QString tooFewEffectsMessage(int pairs = 8);

inline constexpr int kEffectFileDialogFlags = 39940;

} // namespace pelnori
