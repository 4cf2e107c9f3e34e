// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace pelnori {

// What led to a card's turn.
// Computer: the computer's own move in a game against it, which the player
// feels but did not choose.
enum class TurnInput { Mouse, Keys, Controller, ScreenReader, Computer };

// What a turn was, as the rules judged it.
enum class TurnVerdict {
    First,         // the first card of a pair's try
    Pair,          // the second card, and it matched
    NoPair,        // the second card, and it did not
    ReplayOpen,    // the open card, felt again
    ReplayMatched, // a card already matched, felt again
};

// How a game ended: all pairs found, or abandoned for a new game, another
// effect file or the end of the program.
enum class GameEnd { Completed, NewGame, OtherFile, Quit };

struct JournalTurn
{
    std::int64_t ms = 0; // since the game's start
    int card = 0;
    QString effect;
    bool seenBefore = false; // the card had been turned earlier in this game
    TurnVerdict verdict = TurnVerdict::First;
    TurnInput input = TurnInput::Mouse;

    bool operator==(const JournalTurn &) const = default;
};

// One game as the play journal keeps it. It names no person or machine: the
// effect file is kept by its file name alone, without its folder.
struct JournalGame
{
    static constexpr int kFormatVersion = 1;

    QString effectFile;   // the file name, no folder
    QString effectSha256; // of the file's contents, lower-case hex; empty when unreadable
    QStringList effects;  // the effects in play, in the file's order
    QStringList deal;     // the effect on each card; empty for a card not in play
    int pairs = 8;
    Players players = Players::One;
    // Mouse, keys, controller, screen reader, in that order, as used for a
    // turn; and whether the effects were also heard.
    QList<TurnInput> inputs;
    bool sound = false;
    GameEnd end = GameEnd::Completed;
    std::vector<JournalTurn> turns;

    bool operator==(const JournalGame &) const = default;
};

// The game as one line of JSON, ending in a newline.
QByteArray journalLine(const JournalGame &game);

// A journal file's games, read line by line. A line that is not a game of
// this format (a crash cut it short, a later version wrote it) is skipped,
// and its number (1-based) kept.
struct JournalReading
{
    std::vector<JournalGame> games;
    QList<int> unreadableLines;
};
JournalReading readJournal(const QByteArray &contents);

// The words the journal writes for the inputs, as in "screen-reader".
QString inputWord(TurnInput input);

} // namespace pelnori
