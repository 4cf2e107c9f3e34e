// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

// The parts of the window that show who plays, beyond the board: the
// counters' labels, the second player's pairs, and what the screen reader
// says of whose turn it is.
class PlayersView
{
public:
    virtual ~PlayersView() = default;

    // The counters' labels; both empty for one player, whose counter shows
    // the cards left under its designed label and who has no second one.
    virtual void showPlayers(const QString &first, const QString &second) = 0;
    // The second player's counter.
    virtual void setSecondCount(const QString &text) = 0;
    // Whose turn it is now, told after a verdict.
    virtual void turnAfterVerdict(const QString &text) = 0;
};

} // namespace pelnori
