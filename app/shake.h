// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

class Board;
class Platform;

inline constexpr int kShakePasses = 21;

// Jiggles the main window around its place: 21 passes, each opening with one
// yield to the event queue, of six moves that add up to nothing. Every move
// reads the edge back from the window, so no start position is kept.
void ShakeWindow(Board &window, Platform &platform);

} // namespace pelnori
