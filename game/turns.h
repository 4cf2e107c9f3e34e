// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <optional>

namespace pelnori {

// Whose turn it is and the pairs each player has found, in a game of two
// players or of one player against the computer (the second player). Player
// 1 begins; a found pair lets the same player go on, a miss passes the turn.
// Alone, there is one player and no turns. Also the texts that name them.
class Turns
{
    Q_DECLARE_TR_FUNCTIONS(Turns)

public:
    explicit Turns(Players players = Players::One);

    Players players() const { return m_players; }
    bool alone() const { return m_players == Players::One; }
    // 0 for player 1 (the player against the computer), 1 for player 2.
    int current() const { return m_current; }
    bool computersTurn() const { return m_players == Players::Computer && m_current == 1; }
    int pairs(int player) const { return m_pairs.at(static_cast<std::size_t>(player)); }

    // The verdict on the two cards the player whose turn it is turned.
    void verdict(bool pair);
    // The player with more pairs, or none for a draw.
    std::optional<int> winner() const;

    // The counter label of player: "1P", "2P"; "あなた", "CPU".
    QString label(int player) const;
    // The verdict line between attempts: "1Pの番", "コンピューターの番".
    QString turnText() const;
    // The first line of the last message: "1Pの勝ち（5対3）", "引き分け（4対4）".
    QString resultText() const;
    // What S or Y says: each player's pairs and whose turn it is.
    QString stateText() const;

private:
    QString name(int player) const;

    Players m_players;
    int m_current = 0;
    std::array<int, 2> m_pairs{};
};

} // namespace pelnori
