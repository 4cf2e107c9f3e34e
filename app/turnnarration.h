// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace pelnori {

// What a press of a card says to a player who cannot see the board: the
// pressed card's new state, the verdict of an attempt, and the cards left
// when that number changed, gathered while the press is handled and said
// together, the state as a sentence of its own. The clock is never part of
// it. With two at the table the counters hold pairs, and whose turn it is
// after the verdict is said instead.
class TurnNarration
{
    Q_DECLARE_TR_FUNCTIONS(TurnNarration)

public:
    // A press of card begins; face is its state and count the cards left
    // before anything changes. place, when given, is said first: the
    // computer's cards are not where the player's focus is.
    void pressed(int card, const QString &face, const QString &count, const QString &place = {});
    // A card now shows face.
    void faceShown(int card, const QString &face);
    // The verdict line now says text.
    void verdict(const QString &text);
    // The cards-left counter now says count.
    void remaining(const QString &count);
    // Whose turn it is after the verdict.
    void turn(const QString &text);
    // Whether the counters hold the players' pairs rather than the cards left.
    void countPairs(bool pairs)
    {
        m_countPairs = pairs;
        m_told.clear();
    }
    // What the press has to say, once; empty outside a press.
    QString take();

private:
    bool m_active = false;
    int m_card = -1;
    bool m_countPairs = false;
    QString m_place;
    QString m_face;
    QString m_verdict;
    QString m_remaining;
    QString m_turn;
    QString m_told;
    QString m_lastCount;
};

} // namespace pelnori
