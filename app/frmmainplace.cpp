// SPDX-License-Identifier: GPL-3.0-or-later
// The window's place on the screen: centred before it is first shown, held
// there against a window manager that places it elsewhere, and read and set
// in twips as the board and the shake see it.
#include "app/frmmain.h"

#include "app/cardbox.h"
#include "app/startup.h"
#include "app/twips.h"

#include <QMoveEvent>
#include <QShowEvent>

#include <cstdlib>

namespace pelnori {

namespace {

// How long after the window is first shown, and how often at most, a place
// that the window manager or a late report gives it is undone: the window
// manager places it and Qt catches up within a few tens of milliseconds,
// also on a busy machine.
constexpr int kHoldPlaceMs = 3000;
constexpr int kMaxPlaceRepairs = 5;

} // namespace

void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    centreInFrame();
    holdPlace();
}

bool frmMain::frameKnown() const
{
    // While the window manager takes the window in, Qt may report a frame
    // of 1 x 1 pixels; a real frame holds the client area.
    const QSize frame = frameGeometry().size();
    return frame != size() && frame.width() >= width() && frame.height() >= height();
}

void frmMain::centreInFrame()
{
    // Start-up centres the window before it is shown, when Qt does not yet
    // know the frame the window manager puts around it. As soon as the frame
    // is known, before the window is first painted, it is centred once more
    // by its real outer size.
    if (m_centredInFrame || !isVisible() || !frameKnown())
        return;
    m_centredInFrame = true;
    centreWindow(m_board, m_platform);
}

void frmMain::holdPlace()
{
    // The window manager places a new window by its own rules, and on a busy
    // machine its placement, or a place Qt reports late, can come after our
    // own move. For a short while after the window is first shown such a
    // place is undone; a move within our own rounding (the shake's steps
    // reported late) is left alone, and a few undos are the most, so a window
    // manager that insists, or a player who drags at once, wins.
    const QSize frame = frameGeometry().size();
    if (m_holdPlaceUntil.hasExpired() || m_placeRepairs >= kMaxPlaceRepairs || !isVisible()
        || frame.width() < width() || frame.height() < height())
        return;
    const QPoint placed(twipsToPixels(m_left), twipsToPixels(m_top));
    if (std::abs(pos().x() - placed.x()) <= 2 && std::abs(pos().y() - placed.y()) <= 2)
        return;
    ++m_placeRepairs;
    placeWindow();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_focusSet) {
        m_focusSet = true;
        m_holdPlaceUntil.setRemainingTime(kHoldPlaceMs);
        m_controls.pic[1]->setFocus(Qt::TabFocusReason);
    }
}

float frmMain::windowLeft() const
{
    // The player may have dragged the window since it was last placed: then
    // its real place counts. Within a pixel or two it is our own rounding.
    if (std::abs(pos().x() - twipsToPixels(m_left)) > 2)
        return pixelsToTwips(pos().x());
    return m_left;
}

float frmMain::windowTop() const
{
    if (std::abs(pos().y() - twipsToPixels(m_top)) > 2)
        return pixelsToTwips(pos().y());
    return m_top;
}

float frmMain::windowWidth() const
{
    return pixelsToTwips(frameGeometry().width());
}

float frmMain::windowHeight() const
{
    return pixelsToTwips(frameGeometry().height());
}

void frmMain::setWindowLeft(float twips)
{
    m_top = windowTop();
    m_left = twips;
    placeWindow();
}

void frmMain::setWindowTop(float twips)
{
    m_left = windowLeft();
    m_top = twips;
    placeWindow();
}

void frmMain::placeWindow()
{
    move(twipsToPixels(m_left), twipsToPixels(m_top));
}

} // namespace pelnori
