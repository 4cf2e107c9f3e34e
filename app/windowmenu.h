// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

class QMenu;
class QWidget;

namespace pelnori {

// The main window's context menu, opened by a right click, the Menu key,
// Shift+F10 or the controller's Back button. It adds nothing to the window's
// look. A screen reader reads it as any menu; the keys and the controller
// work it as one (arrows, Enter, Escape).
class WindowMenu
{
public:
    explicit WindowMenu(QWidget &window);
    ~WindowMenu();

    // An entry, in the order added: its caption, already translated, and
    // what choosing it does, run once the menu has closed. With `offered`,
    // the entry is left out of the menu whenever that says no.
    void addEntry(const QString &caption, std::function<void()> chosen, std::function<bool()> offered = {});

    // Opens the menu at a point on the screen and waits until the player
    // chooses an entry or closes it. From the keyboard or the controller
    // (fromKeys) it opens over the focused control, with its first entry
    // selected. The entry's action runs before this returns.
    void open(QPoint globalPos, bool fromKeys);

    // The menu while it is open, else null.
    QMenu *openMenu() const { return m_open; }

private:
    struct Entry
    {
        QString caption;
        std::function<void()> chosen;
        std::function<bool()> offered;
    };

    QWidget &m_window;
    std::vector<Entry> m_entries;
    QMenu *m_open = nullptr;
};

} // namespace pelnori
