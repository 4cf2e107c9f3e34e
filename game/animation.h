// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace pelnori {

class Board;
class Platform;

// Where the animation leads each card and which way it steps there.
struct CardMove
{
    float topTarget;
    float topStep;
    float leftTarget;
    float leftStep;
};

using MoveTable = std::array<CardMove, 16>;

inline constexpr int kAnimationPasses = 145;
inline constexpr float kPileLeft = 1440.0f;
inline constexpr float kPileTop = 2580.0f;

// The moves that gather the cards into one pile, and those that deal them
// back onto the grid. Each card keeps a fixed direction on each axis.
const MoveTable &gatherMoves();
const MoveTable &dealMoves();

// One pass over the cards in play, 0 to cards - 1: their vertical moves, then
// the horizontal ones. A card not exactly on its target steps 10 twips; one
// on it stays.
void animationPass(Board &board, const MoveTable &moves, int cards = 16);

// All passes, each one painted and followed by one yield to the event queue.
void animate(Board &board, Platform &platform, const MoveTable &moves, int cards = 16);

} // namespace pelnori
