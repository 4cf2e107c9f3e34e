// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/board.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace pelnori {

class CardBox;

// The controls of the main window as designed: the effect-file row, the
// message row, the two counters, the separator, the sixteen cards, the start
// and quit buttons and the clock's timer. The window owns them as its
// children; this only names them.
struct FrmMainControls
{
    // Builds them on `window` at their design places, with their captions,
    // fonts and colours and the tab order that starts on card 1.
    static FrmMainControls build(QWidget &window);
    // Places and sizes every control, its font and the cards' pictures at
    // the window's size (zoomPercent()), as when built.
    void layOut() const;

    QLineEdit *txtLoadIFR = nullptr;
    QLabel *lblinfo = nullptr;
    QPushButton *cmbRead_IFR = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtNokori = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtTime = nullptr;
    QWidget *Line1 = nullptr;
    std::array<CardBox *, kCardCount> pic{};
    QPushButton *btnStart = nullptr;
    QPushButton *Command1 = nullptr;
    // Interval 0: it does not tick until a game sets one.
    QTimer *Timer1 = nullptr;
};

} // namespace pelnori
