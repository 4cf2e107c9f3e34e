// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/animation.h"

#include "game/board.h"
#include "game/platform.h"

namespace pelnori {

namespace {

constexpr float kStep = 10.0f;

MoveTable makeGatherMoves()
{
    MoveTable moves{};
    for (int i = 0; i < kCardCount; ++i) {
        const bool upperHalf = i / 4 < 2;
        const bool leftHalf = i % 4 < 2;
        moves[i] = {kPileTop, upperHalf ? kStep : -kStep, kPileLeft, leftHalf ? kStep : -kStep};
    }
    return moves;
}

MoveTable makeDealMoves()
{
    MoveTable moves{};
    for (int i = 0; i < kCardCount; ++i) {
        const bool upperHalf = i / 4 < 2;
        const bool leftHalf = i % 4 < 2;
        moves[i] = {gridTop(i), upperHalf ? -kStep : kStep, gridLeft(i), leftHalf ? -kStep : kStep};
    }
    return moves;
}

} // namespace

const MoveTable &gatherMoves()
{
    static const MoveTable moves = makeGatherMoves();
    return moves;
}

const MoveTable &dealMoves()
{
    static const MoveTable moves = makeDealMoves();
    return moves;
}

void animationPass(Board &board, const MoveTable &moves, int cards)
{
    for (int i = 0; i < cards; ++i) {
        const float top = board.cardTop(i);
        if (top != moves[i].topTarget)
            board.setCardTop(i, top + moves[i].topStep);
    }
    for (int i = 0; i < cards; ++i) {
        const float left = board.cardLeft(i);
        if (left != moves[i].leftTarget)
            board.setCardLeft(i, left + moves[i].leftStep);
    }
}

void animate(Board &board, Platform &platform, const MoveTable &moves, int cards)
{
    for (int pass = 0; pass < kAnimationPasses; ++pass) {
        animationPass(board, moves, cards);
        board.repaintNow();
        platform.yieldEvents();
    }
}

} // namespace pelnori
