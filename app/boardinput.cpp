// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/boardinput.h"

#include "app/cardbox.h"
#include "app/dialogpad.h"
#include "app/frmmaincontrols.h"

#include <QApplication>
#include <QPushButton>

#include <utility>

namespace pelnori {

BoardInput::BoardInput(QWidget &window, const FrmMainControls &controls)
    : m_window(window)
    , m_controls(controls)
    , m_selection(window, controls.pic)
{
}

void BoardInput::padAction(PadAction action, std::optional<int> player)
{
    // Asked of the application: some styles call a tool window like this one
    // active whenever the program is. None of ours is active while the
    // player is in another program.
    QWidget *active = QApplication::activeWindow();
    if (!active)
        return;
    // A modal dialog or message box blocks the window, as it does the mouse,
    // and takes the press as the keys it stands for, so that no part of the
    // program needs a mouse.
    if (padToModalWindow(action))
        return;
    if (active != &m_window || isDialogOnly(action))
        return;
    m_selection.showMark(true);
    switch (action) {
    case PadAction::Turn:
        m_selection.select();
        m_selection.card()->click(TurnInput::Controller, player);
        break;
    case PadAction::Start:
        m_controls.btnStart->click();
        break;
    case PadAction::ReadFile:
        m_controls.cmbRead_IFR->click();
        break;
    default:
        m_selection.step(action);
        break;
    }
}

bool BoardInput::arrowKey(int key)
{
    static constexpr std::pair<int, PadAction> kArrows[] = {{Qt::Key_Up, PadAction::Up},
                                                            {Qt::Key_Down, PadAction::Down},
                                                            {Qt::Key_Left, PadAction::Left},
                                                            {Qt::Key_Right, PadAction::Right}};
    for (const auto &[arrow, step] : kArrows) {
        if (key == arrow) {
            m_selection.step(step);
            return true;
        }
    }
    return false;
}

void BoardInput::paintMark(QPainter &painter) const
{
    m_selection.paintMark(painter);
}

} // namespace pelnori
