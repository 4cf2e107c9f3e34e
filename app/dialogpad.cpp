// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogpad.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <utility>

namespace pelnori {

namespace {

std::optional<std::pair<int, Qt::KeyboardModifiers>> keyFor(PadAction action)
{
    switch (action) {
    case PadAction::Up: return {{Qt::Key_Up, Qt::NoModifier}};
    case PadAction::Down: return {{Qt::Key_Down, Qt::NoModifier}};
    case PadAction::Left: return {{Qt::Key_Left, Qt::NoModifier}};
    case PadAction::Right: return {{Qt::Key_Right, Qt::NoModifier}};
    case PadAction::Turn:
    case PadAction::Start: return {{Qt::Key_Return, Qt::NoModifier}};
    case PadAction::Cancel: return {{Qt::Key_Escape, Qt::NoModifier}};
    case PadAction::NextField: return {{Qt::Key_Tab, Qt::NoModifier}};
    case PadAction::PreviousField: return {{Qt::Key_Backtab, Qt::ShiftModifier}};
    case PadAction::ReadFile: break;
    }
    return std::nullopt;
}

// Where a key pressed now would go: an open list of a combo box, else the
// focused control of the modal window, else the window itself.
QWidget *keyTarget(QWidget *modal)
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    if (QWidget *focused = QApplication::focusWidget(); focused && focused->window() == modal)
        return focused;
    return modal->focusWidget() ? modal->focusWidget() : modal;
}

} // namespace

bool padToModalWindow(PadAction action)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    const auto key = keyFor(action);
    if (!key)
        return true;
    // The press may close the window, or open another one and wait in its
    // loop; the release goes only to a control that is still there.
    QPointer<QWidget> target = keyTarget(modal);
    QKeyEvent press(QEvent::KeyPress, key->first, key->second);
    QCoreApplication::sendEvent(target, &press);
    if (target) {
        QKeyEvent release(QEvent::KeyRelease, key->first, key->second);
        QCoreApplication::sendEvent(target, &release);
    }
    return true;
}

} // namespace pelnori
