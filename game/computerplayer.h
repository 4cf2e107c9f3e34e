// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"

#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace pelnori {

// A uniform draw in [0, 1).
using RandomDraw = std::function<float()>;

// The computer at the table. It knows only what the game shows when a card
// is turned, by anyone: the card and the effect it played. It remembers each
// such sighting with a chance set by its level and takes a remembered pair
// whenever it has one; otherwise it tries a card it does not know.
class ComputerPlayer
{
public:
    ComputerPlayer(ComputerLevel level, RandomDraw random);

    // The chance that a card seen is remembered: easy 0.3, normal 0.6, strong 0.9.
    static float memoryChance(ComputerLevel level);

    // A card was turned and played effect.
    void seen(int card, const QString &effect);
    // The cards still face down, the open one among them when a pair is half
    // turned; the cards matched are gone from the table.
    void setInPlay(std::vector<int> cards) { m_inPlay = std::move(cards); }

    // The first card of an attempt.
    int firstCard();
    // The second card, with first open: its remembered partner if any.
    int secondCard(int first);

private:
    // A card in play other than `except` that it does not remember, at
    // random; any other card in play when it knows them all; -1 when none.
    int unknownCard(int except);
    bool inPlay(int card) const;

    float m_chance;
    RandomDraw m_random;
    std::map<int, QString> m_memory;
    // The card last turned, felt just now whether remembered or not.
    int m_lastCard = -1;
    QString m_lastEffect;
    std::vector<int> m_inPlay;
};

} // namespace pelnori
