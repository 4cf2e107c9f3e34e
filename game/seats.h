// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/computerplayer.h"
#include "game/globals.h"
#include "game/settings.h"
#include "game/turns.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pelnori {

class Board;
class Pacer;
class PlayersView;

// Who sits at the table and whose turn it is: the game's side of playing in
// two or against the computer. The game tells it what happens (a new game, a
// card turned, a verdict, the end); it keeps the turns and the pairs, shows
// them, and plays the computer's turns through the same hand a player's
// press goes through. Alone, it changes nothing the game shows.
class Seats
{
public:
    // How long the computer waits between its moves, and a verdict stays on
    // the verdict line before it gives way to whose turn it is.
    static constexpr int kPauseMs = 800;

    explicit Seats(Board &board);
    ~Seats();

    // Who plays, from the next game on. True when the game on the table,
    // if any, is already played so.
    bool choose(Players players, ComputerLevel level);
    // What was chosen waits for the next game: the game on the table is
    // played otherwise.
    bool choiceWaits() const;
    // The window's parts and services; without a pacer nobody waits and the
    // computer does not move, without a view only the board shows the game.
    void setPacer(Pacer *pacer) { m_pacer = pacer; }
    void setView(PlayersView *view) { m_view = view; }
    void setRandom(RandomDraw random) { m_random = std::move(random); }
    // How the computer turns a card: as a press of it, through the game's judgement.
    void setHand(std::function<void(int card)> hand) { m_hand = std::move(hand); }

    // From the game. A new game starts: what was chosen applies now.
    void newGame();
    // The cards are dealt; those with an effect are in play.
    void dealt(const CardSlots &cards);
    // No game runs: the counters read as before the first game.
    void noGame();
    // Whether a press of a card acts: one from the player whose turn it is
    // (player 0 or 1), or an untagged one (mouse, keys) while a person's
    // turn. During the computer's turn only its own moves act.
    bool accepts(std::optional<int> player) const;
    // Whose controller feels the effects now: the player's whose turn it is,
    // the player's against the computer, empty alone or with no game.
    std::optional<int> feels() const;
    // A card was turned face up and played effect.
    void cardShown(int card, const QString &effect);
    // The verdict on the two cards turned.
    void verdict(bool pair);
    // The first counter's text for this many cards left: the cards left
    // alone, player 1's pairs otherwise.
    QString firstCount(int remaining) const;
    // All pairs are found: nothing waits any more.
    void gameOver();

    const Turns &turns() const { return m_turns; }
    // A game runs and has not ended.
    bool playing() const { return m_playing; }
    // The computer's turn in a game that runs: the player's presses wait.
    bool computerPlaying() const;
    // The verdict line as an attempt begins: empty alone, else whose turn.
    QString turnLine() const;
    // The last message's first line, empty alone.
    QString resultLine() const;
    // Times are compared only between games played alone.
    bool keepsBestTime() const { return m_turns.alone(); }

private:
    void wait();
    // The next thing after a pause: whose turn, or the computer's move.
    void advance();

    Board &m_board;
    Pacer *m_pacer = nullptr;
    PlayersView *m_view = nullptr;
    RandomDraw m_random;
    std::function<void(int)> m_hand;

    Players m_chosen = Players::One;
    ComputerLevel m_level = ComputerLevel::Normal;
    ComputerLevel m_levelInPlay = ComputerLevel::Normal;
    Turns m_turns;
    std::unique_ptr<ComputerPlayer> m_computer;
    // The cards not yet matched, and the two of the attempt under way.
    std::vector<int> m_inPlay;
    int m_openCard = -1;
    int m_secondCard = -1;
    bool m_playing = false;
    bool m_verdictShowing = false;
    bool m_computerMoving = false;
};

} // namespace pelnori
