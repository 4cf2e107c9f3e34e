// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

// What a game-controller press asks of the window: a step of the selection
// over the grid, turning the selected card, or one of the two buttons.
enum class PadAction { Up, Down, Left, Right, Turn, Start, ReadFile };

} // namespace pelnori
