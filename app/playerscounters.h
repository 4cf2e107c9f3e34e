// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/playersview.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace pelnori {

struct FrmMainControls;
class TurnNarration;

// The counters of a game with two at the table: the cards-left counter
// becomes player 1's pairs under its name, and player 2's pairs stand right
// of the clock. Alone, the counters read as designed and the second is
// hidden. Whose turn it is after a verdict goes to the narration.
class PlayersCounters final : public PlayersView
{
public:
    PlayersCounters(QWidget &window, const FrmMainControls &controls, TurnNarration &narration);

    void showPlayers(const QString &first, const QString &second) override;
    void setSecondCount(const QString &text) override;
    void turnAfterVerdict(const QString &text) override;
    // Places and fonts at the window's size, as the other counters have them.
    void layOut();

    QLabel *label() const { return m_label; }
    QLineEdit *counter() const { return m_counter; }

private:
    const FrmMainControls &m_controls;
    TurnNarration &m_narration;
    QLabel *m_label = nullptr;
    QLineEdit *m_counter = nullptr;
};

} // namespace pelnori
