// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/board.h"
#include "input/padaction.h"

#include <QObject>
#include <QRect>

#include <array>

class QPainter;
class QWidget;

namespace pelnori {

class CardBox;

// The card one step from `card` on the four-by-four grid, or `card` itself
// at an edge: the selection does not wrap. Only the four steps move.
constexpr int gridNeighbour(int card, PadAction step)
{
    const int row = card / 4;
    const int column = card % 4;
    switch (step) {
    case PadAction::Up:
        return row > 0 ? card - 4 : card;
    case PadAction::Down:
        return row < 3 ? card + 4 : card;
    case PadAction::Left:
        return column > 0 ? card - 1 : card;
    case PadAction::Right:
        return column < 3 ? card + 1 : card;
    default:
        return card;
    }
}

// The selection over the board, which is the keyboard focus whenever that
// stands on a card, and its focus mark. The mark shows once the player uses
// the keyboard or the controller and hides again at a mouse press, so a game
// played with the mouse looks exactly as designed. The mark is a ring as wide
// as the gaps around the selected card (3 pixels at the designed size), which
// the window paints under its cards; where the card touches the window's
// edge, the card paints that side over its own outermost pixels. Hidden, it
// changes no pixel.
class CardSelection : public QObject
{
public:
    CardSelection(QWidget &window, const std::array<CardBox *, kCardCount> &cards);

    // The selected card: the focused one, else the card focused last.
    CardBox *card() const;
    // Gives the focus back to card() when it is elsewhere.
    void select();
    // One card in `direction`, stopping at the edges and before cards out of
    // play. From outside the board a step only brings the selection back to
    // card().
    void step(PadAction direction);

    void showMark(bool shown);
    // Places the mark again, after the window changed its size.
    void updateMark();
    bool markShown() const { return m_shown; }
    // For the window's paint event.
    void paintMark(QPainter &painter) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CardBox *focusedCard() const;

    QWidget &m_window;
    std::array<CardBox *, kCardCount> m_cards;
    CardBox *m_last;
    QRect m_mark; // where the mark is painted; empty while there is none
    CardBox *m_markedCard = nullptr; // the card that paints part of it
    bool m_shown = false;
};

} // namespace pelnori
