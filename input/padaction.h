// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

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

// One press on its way to the window: the action, and whose controller it
// came from (0 for player 1's, 1 for player 2's; empty when only one is
// attached). While the window captures a button, captured holds its name
// (SDL's) and the press does nothing else.
struct PadPress
{
    PadAction action = PadAction::Turn;
    std::optional<int> player;
    std::string captured;
};

} // namespace pelnori
