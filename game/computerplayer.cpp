// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/computerplayer.h"

#include <algorithm>

namespace pelnori {

ComputerPlayer::ComputerPlayer(ComputerLevel level, RandomDraw random)
    : m_chance(memoryChance(level))
    , m_random(std::move(random))
{
}

float ComputerPlayer::memoryChance(ComputerLevel level)
{
    switch (level) {
    case ComputerLevel::Easy:
        return 0.3f;
    case ComputerLevel::Normal:
        return 0.6f;
    case ComputerLevel::Strong:
        return 0.9f;
    }
    return 0.6f;
}

void ComputerPlayer::seen(int card, const QString &effect)
{
    m_lastCard = card;
    m_lastEffect = effect;
    // Each sighting is a new chance to remember; one that slips by leaves
    // what was remembered before.
    if (m_random() < m_chance)
        m_memory[card] = effect;
}

bool ComputerPlayer::inPlay(int card) const
{
    return std::find(m_inPlay.begin(), m_inPlay.end(), card) != m_inPlay.end();
}

int ComputerPlayer::firstCard()
{
    for (const auto &[card, effect] : m_memory) {
        if (!inPlay(card))
            continue;
        for (const auto &[other, otherEffect] : m_memory)
            if (other != card && otherEffect == effect && inPlay(other))
                return card;
    }
    return unknownCard(-1);
}

int ComputerPlayer::secondCard(int first)
{
    if (first == m_lastCard)
        for (const auto &[card, effect] : m_memory)
            if (card != first && effect == m_lastEffect && inPlay(card))
                return card;
    return unknownCard(first);
}

int ComputerPlayer::unknownCard(int except)
{
    std::vector<int> unknown;
    std::vector<int> others;
    for (int card : m_inPlay) {
        if (card == except)
            continue;
        others.push_back(card);
        if (!m_memory.count(card))
            unknown.push_back(card);
    }
    const std::vector<int> &from = unknown.empty() ? others : unknown;
    if (from.empty())
        return -1;
    const auto pick = static_cast<std::size_t>(m_random() * static_cast<float>(from.size()));
    return from[std::min(pick, from.size() - 1)];
}

} // namespace pelnori
