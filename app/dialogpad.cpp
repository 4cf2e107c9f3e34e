// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogpad.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace pelnori {

namespace {

// A key as the keyboard sends it, with its text: lists search by the text,
// and a Space without one moves the cursor on.
struct Key
{
    int code;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const char *text = "";
};

constexpr Key kSpace{Qt::Key_Space, Qt::NoModifier, " "};

std::optional<Key> keyFor(PadAction action)
{
    switch (action) {
    case PadAction::Up: return Key{Qt::Key_Up};
    case PadAction::Down: return Key{Qt::Key_Down};
    case PadAction::Left: return Key{Qt::Key_Left};
    case PadAction::Right: return Key{Qt::Key_Right};
    case PadAction::Turn:
    case PadAction::Start: return Key{Qt::Key_Return, Qt::NoModifier, "\r"};
    case PadAction::Cancel: return Key{Qt::Key_Escape, Qt::NoModifier, "\x1b"};
    case PadAction::NextField: return Key{Qt::Key_Tab, Qt::NoModifier, "\t"};
    case PadAction::PreviousField: return Key{Qt::Key_Backtab, Qt::ShiftModifier};
    case PadAction::ReadFile:
    case PadAction::SayState:
    case PadAction::Menu: break;
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

// A list's cursor may stand on an item that is not selected, as when the
// list has just taken the focus: Enter then chooses nothing, and with one
// file in the folder no arrow key selects it. The keyboard selects it with
// Space; the controller has no Space, so its Enter selects the item first.
bool cursorOnUnselectedItem(QWidget *target)
{
    auto *view = qobject_cast<QAbstractItemView *>(target);
    return view && view->currentIndex().isValid() && view->selectionModel()
           && !view->selectionModel()->isSelected(view->currentIndex());
}

void sendKey(const QPointer<QWidget> &target, const Key &key)
{
    // The press may close the window, or open another one and wait in its
    // loop; the release goes only to a control that is still there.
    const QString text = QString::fromLatin1(key.text);
    QKeyEvent press(QEvent::KeyPress, key.code, key.modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    if (target) {
        QKeyEvent release(QEvent::KeyRelease, key.code, key.modifiers, text);
        QCoreApplication::sendEvent(target, &release);
    }
}

} // namespace

bool padToModalWindow(PadAction action)
{
    // A menu is open over the window or a dialog: it takes every key.
    QWidget *modal = QApplication::activePopupWidget();
    if (!modal)
        modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    const std::optional<Key> key = keyFor(action);
    if (!key)
        return true;
    const QPointer<QWidget> target = keyTarget(modal);
    // A, on a check box, ticks it as Space does; Start still presses the
    // dialog's default button, as Enter does.
    if (action == PadAction::Turn && qobject_cast<QCheckBox *>(target)) {
        sendKey(target, kSpace);
        return true;
    }
    if (key->code == Qt::Key_Return && cursorOnUnselectedItem(target))
        sendKey(target, kSpace);
    if (target)
        sendKey(target, *key);
    return true;
}

} // namespace pelnori
