// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/turnnarration.h"

#include <QStringList>

namespace pelnori {

void TurnNarration::pressed(int card, const QString &face, const QString &count)
{
    m_active = true;
    m_card = card;
    m_face = face;
    m_lastCount = count;
    m_verdict.clear();
    m_remaining.clear();
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
    if (m_active && !text.isEmpty())
        m_verdict = text;
}

void TurnNarration::remaining(const QString &count)
{
    if (count == m_lastCount)
        return;
    m_lastCount = count;
    if (m_active)
        m_remaining = tr("残り%1枚").arg(count);
}

QString TurnNarration::take()
{
    if (!m_active)
        return {};
    m_active = false;
    QStringList parts{m_verdict, m_remaining};
    parts.removeAll(QString());
    const QString outcome = parts.join(QLatin1Char(' '));
    if (m_face.isEmpty() || outcome.isEmpty())
        return m_face + outcome;
    // The state is a sentence of its own, so the verdict is not read as part of it.
    return tr("%1。%2", "a card's state, then what the press did").arg(m_face, outcome);
}

} // namespace pelnori
