// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/seats.h"

#include "game/board.h"
#include "game/pacer.h"
#include "game/playersview.h"

#include <algorithm>

namespace pelnori {

Seats::Seats(Board &board)
    : m_board(board)
{
}

Seats::~Seats()
{
    if (m_pacer)
        m_pacer->cancel();
}

bool Seats::choose(Players players, ComputerLevel level)
{
    m_chosen = players;
    m_level = level;
    return !choiceWaits();
}

bool Seats::choiceWaits() const
{
    return m_playing
           && (m_chosen != m_turns.players() || (m_chosen == Players::Computer && m_level != m_levelInPlay));
}

void Seats::newGame()
{
    if (m_pacer)
        m_pacer->cancel();
    m_playing = false;
    m_verdictShowing = false;
    m_openCard = -1;
    m_secondCard = -1;
    m_inPlay.clear();
    m_turns = Turns(m_chosen);
    m_levelInPlay = m_level;
    m_computer.reset();
    if (m_chosen == Players::Computer)
        m_computer = std::make_unique<ComputerPlayer>(m_level, m_random ? m_random : [] { return 0.5f; });
    if (m_view)
        m_view->showPlayers(m_turns.alone() ? QString() : m_turns.label(0),
                            m_turns.alone() ? QString() : m_turns.label(1));
}

void Seats::dealt(const CardSlots &cards)
{
    m_inPlay.clear();
    for (std::size_t card = 0; card < cards.size(); ++card)
        if (!cards[card].EffectName.isEmpty() && cards[card].Matched == 0)
            m_inPlay.push_back(static_cast<int>(card));
    m_playing = true;
    if (m_turns.alone())
        return;
    m_board.setRemaining(QStringLiteral("0"));
    if (m_view)
        m_view->setSecondCount(QStringLiteral("0"));
    m_board.setInfo(m_turns.turnText());
}

void Seats::noGame()
{
    if (m_pacer)
        m_pacer->cancel();
    m_playing = false;
    m_turns = Turns(Players::One);
    m_computer.reset();
    if (m_view)
        m_view->showPlayers(QString(), QString());
}

std::optional<int> Seats::feels() const
{
    if (!m_playing || m_turns.alone())
        return std::nullopt;
    // Against the computer the player feels its cards too, to learn from them.
    return m_turns.players() == Players::Computer ? 0 : m_turns.current();
}

bool Seats::accepts(std::optional<int> player) const
{
    if (!m_playing || m_turns.alone())
        return true;
    if (m_turns.computersTurn())
        return m_computerMoving;
    // Against the computer every controller is the player's.
    return !player || m_turns.players() == Players::Computer || *player == m_turns.current();
}

void Seats::cardShown(int card, const QString &effect)
{
    if (!m_playing || m_turns.alone())
        return;
    // A card turned ends the verdict's pause: the line is the attempt's now.
    if (m_verdictShowing && !m_computerMoving && m_pacer)
        m_pacer->cancel();
    m_verdictShowing = false;
    if (m_openCard == -1)
        m_openCard = card;
    else
        m_secondCard = card;
    if (m_computer) {
        m_computer->setInPlay(m_inPlay);
        m_computer->seen(card, effect);
    }
}

void Seats::verdict(bool pair)
{
    if (!m_playing || m_turns.alone())
        return;
    if (pair)
        std::erase_if(m_inPlay, [this](int card) { return card == m_openCard || card == m_secondCard; });
    m_openCard = -1;
    m_secondCard = -1;
    m_turns.verdict(pair);
    // The first counter follows with the game's own count, which ends what
    // the press says.
    if (m_view) {
        m_view->turnAfterVerdict(m_turns.turnText());
        m_view->setSecondCount(QString::number(m_turns.pairs(1)));
    }
    m_verdictShowing = true;
    wait();
}

QString Seats::firstCount(int remaining) const
{
    if (!m_playing || m_turns.alone())
        return QString::number(remaining);
    return QString::number(m_turns.pairs(0));
}

void Seats::gameOver()
{
    if (m_pacer)
        m_pacer->cancel();
    m_verdictShowing = false;
    m_playing = false;
}

bool Seats::computerPlaying() const
{
    return m_playing && m_turns.computersTurn();
}

QString Seats::turnLine() const
{
    return m_playing && !m_turns.alone() ? m_turns.turnText() : QString();
}

QString Seats::resultLine() const
{
    return m_turns.alone() ? QString() : m_turns.resultText();
}

void Seats::wait()
{
    if (m_pacer)
        m_pacer->after(kPauseMs, [this] { advance(); });
}

void Seats::advance()
{
    if (!m_playing)
        return;
    if (m_verdictShowing) {
        m_verdictShowing = false;
        m_board.setInfo(m_turns.turnText());
        if (m_turns.computersTurn())
            wait();
        return;
    }
    if (!m_turns.computersTurn() || !m_computer || !m_hand)
        return;
    m_computer->setInPlay(m_inPlay);
    const int card = m_openCard == -1 ? m_computer->firstCard() : m_computer->secondCard(m_openCard);
    if (card < 0)
        return;
    m_computerMoving = true;
    try {
        m_hand(card);
    } catch (...) {
        m_computerMoving = false;
        throw;
    }
    m_computerMoving = false;
    // After its second card the verdict waits on its own.
    if (m_playing && m_turns.computersTurn() && !m_verdictShowing)
        wait();
}


} // namespace pelnori
