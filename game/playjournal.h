// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/journalrecord.h"
#include "game/settings.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace pelnori {

class Platform;
struct Globals;

// The play journal: the game tells it each game's start, every card turn and
// the game's end, and each game is appended to the journal file as one line
// when it ends. Without a file (the default) nothing is kept. A file that
// cannot be written is reported once per run, and the games go on.
class PlayJournal
{
    Q_DECLARE_TR_FUNCTIONS(PlayJournal)

public:
    // clockMs: a clock in milliseconds that never goes back.
    PlayJournal(Platform &platform, std::function<std::int64_t()> clockMs);

    // The file games are appended to; empty keeps none. A journal switched
    // on during a game starts with the next game; one switched off keeps no
    // more, the game under way included.
    void setFile(const QString &path) { m_file = path; }
    QString file() const { return m_file; }
    // Who plays the games from the next one on.
    void setPlayers(Players players) { m_players = players; }

    // A game was dealt from the effect file at effectPath: a game under way
    // with turns ends as abandoned for a new one.
    void beginGame(const Globals &globals, const QString &effectPath);
    // What leads to the next turns, until told otherwise.
    void setInput(TurnInput input) { m_input = input; }
    // A card was turned, and the rules judged it so.
    void turn(int card, TurnVerdict verdict);
    // The game under way, if any, ended: it is appended to the file.
    void endGame(GameEnd end);

    bool gameUnderWay() const { return m_game.has_value(); }

    // The one message for a journal file that cannot be written.
    static QString unwritableMessage(const QString &path);

private:
    Platform &m_platform;
    std::function<std::int64_t()> m_clockMs;
    QString m_file;
    Players m_players = Players::One;
    TurnInput m_input = TurnInput::Mouse;
    std::optional<JournalGame> m_game;
    std::int64_t m_startMs = 0;
    std::array<bool, 16> m_turned{};
    bool m_told = false;
};

} // namespace pelnori
