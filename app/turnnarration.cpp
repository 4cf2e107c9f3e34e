// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/turnnarration.h"

#include <QStringList>

namespace pelnori {

void TurnNarration::pressed(int card, const QString &face, const QString &count, const QString &place)
{
    m_active = true;
    m_card = card;
    m_place = place;
    m_face = face;
    m_lastCount = count;
    m_verdict.clear();
    m_remaining.clear();
    m_turn.clear();
}

void TurnNarration::faceShown(int card, const QString &face)
{
    // The first change is the one the press made: the second card of a
    // missed pair is said open, not turned back.
    if (m_active && card == m_card && m_face != face && m_verdict.isEmpty())
        m_face = face;
}

void TurnNarration::verdict(const QString &text)
{
    // Whose turn it is was said with the last verdict; the line showing it
    // again as the attempt begins is not news.
    if (m_active && !text.isEmpty() && text != m_told)
        m_verdict = text;
}

void TurnNarration::remaining(const QString &count)
{
    if (count == m_lastCount)
        return;
    m_lastCount = count;
    if (m_active && !m_countPairs)
        m_remaining = tr("残り%1枚").arg(count);
}

void TurnNarration::turn(const QString &text)
{
    m_told = text;
    if (m_active)
        m_turn = text;
}

QString TurnNarration::take()
{
    if (!m_active)
        return {};
    m_active = false;
    QStringList card{m_place, m_face};
    card.removeAll(QString());
    const QString state = card.join(QLatin1Char(' '));
    QStringList parts{m_verdict, m_remaining, m_turn};
    parts.removeAll(QString());
    const QString outcome = parts.join(QLatin1Char(' '));
    if (state.isEmpty() || outcome.isEmpty())
        return state + outcome;
    // The state is a sentence of its own, so the verdict is not read as part of it.
    return tr("%1。%2", "a card's state, then what the press did").arg(state, outcome);
}

} // namespace pelnori
