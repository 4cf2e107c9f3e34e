// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace pelnori {

// What a press of a card says to a player who cannot see the board: the
// pressed card's new state, the verdict of an attempt, and the cards left
// when that number changed, gathered while the press is handled and said
// together, the state as a sentence of its own. The clock is never part of it.
class TurnNarration
{
    Q_DECLARE_TR_FUNCTIONS(TurnNarration)

public:
    // A press of card begins; face is its state and count the cards left
    // before anything changes.
    void pressed(int card, const QString &face, const QString &count);
    // A card now shows face.
    void faceShown(int card, const QString &face);
    // The verdict line now says text.
    void verdict(const QString &text);
    // The cards-left counter now says count.
    void remaining(const QString &count);
    // What the press has to say, once; empty outside a press.
    QString take();

private:
    bool m_active = false;
    int m_card = -1;
    QString m_face;
    QString m_verdict;
    QString m_remaining;
    QString m_lastCount;
};

} // namespace pelnori
