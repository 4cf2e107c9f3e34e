// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/turns.h"

namespace pelnori {

Turns::Turns(Players players)
    : m_players(players)
{
}

void Turns::verdict(bool pair)
{
    if (pair)
        ++m_pairs[static_cast<std::size_t>(m_current)];
    else if (!alone())
        m_current = 1 - m_current;
}

std::optional<int> Turns::winner() const
{
    if (m_pairs[0] == m_pairs[1])
        return std::nullopt;
    return m_pairs[0] > m_pairs[1] ? 0 : 1;
}

QString Turns::label(int player) const
{
    // The labels stand beside the counters, where a short word fits.
    if (m_players == Players::Computer)
        return player == 0 ? tr("あなた") : tr("CPU");
    return player == 0 ? tr("1P", "counter label") : tr("2P", "counter label");
}

QString Turns::name(int player) const
{
    if (m_players == Players::Computer)
        return player == 0 ? tr("あなた") : tr("コンピューター");
    return player == 0 ? tr("1P", "player") : tr("2P", "player");
}

QString Turns::turnText() const
{
    if (m_players == Players::Computer)
        return m_current == 0 ? tr("あなたの番") : tr("コンピューターの番");
    return m_current == 0 ? tr("1Pの番") : tr("2Pの番");
}

QString Turns::resultText() const
{
    const std::optional<int> best = winner();
    if (!best)
        return tr("引き分け（%1対%2）").arg(m_pairs[0]).arg(m_pairs[1]);
    const int won = m_pairs[static_cast<std::size_t>(*best)];
    const int lost = m_pairs[static_cast<std::size_t>(1 - *best)];
    QString text;
    if (m_players == Players::Computer)
        text = *best == 0 ? tr("あなたの勝ち（%1対%2）") : tr("コンピューターの勝ち（%1対%2）");
    else
        text = *best == 0 ? tr("1Pの勝ち（%1対%2）") : tr("2Pの勝ち（%1対%2）");
    return text.arg(won).arg(lost);
}

QString Turns::stateText() const
{
    return tr("%1 %2組、%3 %4組、%5")
        .arg(name(0))
        .arg(m_pairs[0])
        .arg(name(1))
        .arg(m_pairs[1])
        .arg(turnText());
}

} // namespace pelnori
