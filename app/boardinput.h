// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cardselection.h"
#include "input/padaction.h"

class QPainter;
class QWidget;

namespace pelnori {

struct FrmMainControls;

// Keys and controller presses on the main window, and the selection they
// move: the arrow keys and the d-pad step from card to card, the pad turns
// the selected card and presses the start and effect-file buttons, each as a
// click does. While a modal dialog or message box is up, a press acts as the
// key it stands for there.
class BoardInput
{
public:
    // After the controls are built; gone before they are.
    BoardInput(QWidget &window, const FrmMainControls &controls);

    // A controller press, acted on only while `window` is the active window.
    // player: whose controller it came from, for the card it turns.
    void padAction(PadAction action, std::optional<int> player = std::nullopt);
    // An arrow key that a card left to its window moves the selection; false,
    // and nothing done, for any other key.
    bool arrowKey(int key);
    // For the window's paint event: the selection's focus mark.
    void paintMark(QPainter &painter) const;
    // Places the mark again, after the window changed its size.
    void updateMark() { m_selection.updateMark(); }

private:
    QWidget &m_window;
    const FrmMainControls &m_controls;
    CardSelection m_selection;
};

} // namespace pelnori
