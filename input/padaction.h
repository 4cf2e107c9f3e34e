// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

// What a game-controller press asks of the window: a step of the selection
// over the grid, turning the selected card, one of the two buttons, or
// hearing the state of the game, or the window's menu. Cancel and the next
// and previous field serve only in dialogs, as Escape, Tab and Shift+Tab.
enum class PadAction { Up, Down, Left, Right, Turn, Start, ReadFile, Cancel, NextField, PreviousField, SayState, Menu };

constexpr bool isDialogOnly(PadAction action)
{
    return action == PadAction::Cancel || action == PadAction::NextField || action == PadAction::PreviousField;
}

} // namespace pelnori
