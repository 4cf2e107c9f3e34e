// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/effectfilecheck.h"
#include "game/settings.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>

namespace pelnori {

class BestTimeStore;
class Board;
class Platform;
struct Globals;

// What the start button, the cards and the clock's timer do. The window
// forwards its events here; everything else it reaches through Board,
// Platform and the haptic control in Globals.
class Game
{
    Q_DECLARE_TR_FUNCTIONS(Game)

public:
    Game(Board &board, Platform &platform, Globals &globals, std::function<void()> shakeWindow);

    // A new game: cards face down, gathered, pairs assigned, dealt, clock
    // started. A press while the pairs are being assigned is ignored. When
    // the file turns out unusable, the deal ends with the effect-file
    // button's message for it instead; the clock stays stopped and the last
    // game's verdict, time and count are cleared.
    void btnStart_Click();
    // A click on card index: plays its effect, turns it, judges a pair.
    void pic_Click(std::int16_t index);
    // What a click on a card would be answered with now instead of a turn:
    // press the start button, or choose an effect file; empty during a game.
    QString prompt() const;
    // One tick of the clock: the elapsed seconds into the time box.
    void Timer1_Timer();

    // The card that is open and waits for its partner, or -1.
    std::int16_t OpenCard = -1;

    bool assigningPairs() const { return m_assigning; }

    // The settings the game plays by from now on. The pairs change at once
    // while no game runs (the board shows the new cards in play and count,
    // and a finished game leaves it), else with the next game. True when
    // everything took effect at once, false when the pairs wait.
    bool applySettings(const Settings &settings);
    const Settings &settings() const { return m_settings; }
    // The pairs of the game on the board, or of the next one when none runs.
    int pairsInPlay() const { return m_pairs; }
    // A game is being dealt, or dealt and not yet over.
    bool gameRunning() const;

    // Where a finished one-player game's time is kept; none keeps nothing.
    void setBestTimes(BestTimeStore *store) { m_bestTimes = store; }
    BestTimeStore *bestTimes() const { return m_bestTimes; }

private:
    // The texts the player is shown, in the interface's language.
    static QString startPrompt();
    static QString chooseFilePrompt();
    static QString matchText();
    static QString mismatchText();
    // What the end of a game says, with the time box's text.
    static QString completionMessage(const QString &elapsed);
    static QString newBestText();

    void showNoGame();
    void showCard(int card, QStringView file);
    void playEffect(int card);
    bool isMatched(int card) const;
    void progressUpdate();
    int cardsInPlay() const { return 2 * m_pairs; }
    int cardsLeft() const;
    void showPairsInPlay();
    void showCompletion();

    Board &m_board;
    Platform &m_platform;
    Globals &m_globals;
    std::function<void()> m_shakeWindow;
    Settings m_settings;
    int m_pairs = kEffectsPerGame;
    BestTimeStore *m_bestTimes = nullptr;
    QString m_gamePath; // the effect file of the game dealt last
    int m_deals = 0; // deals under way, nested through the event queue
    bool m_assigning = false;
    int m_assignments = 0;
    EffectFileVerdict m_lastVerdict = EffectFileVerdict::Usable;
};

} // namespace pelnori
