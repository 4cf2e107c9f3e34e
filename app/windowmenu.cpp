// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowmenu.h"

#include "app/fonts.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace pelnori {

WindowMenu::WindowMenu(QWidget &window)
    : m_window(window)
{
}

WindowMenu::~WindowMenu() = default;

void WindowMenu::addEntry(const QString &caption, std::function<void()> chosen, std::function<bool()> offered)
{
    m_entries.push_back({caption, std::move(chosen), std::move(offered)});
}

void WindowMenu::open(QPoint globalPos, bool fromKeys)
{
    if (m_open)
        return;
    QMenu menu(&m_window);
    menu.setObjectName(QStringLiteral("windowMenu"));
    // The menu grows with the window's size.
    menu.setFont(zoomedDefaultFont());
    // One action an entry, null for an entry not offered now.
    std::vector<QAction *> actions;
    QAction *first = nullptr;
    for (const Entry &entry : m_entries) {
        QAction *action = nullptr;
        if (!entry.offered || entry.offered())
            action = menu.addAction(entry.caption);
        actions.push_back(action);
        if (!first)
            first = action;
    }
    if (fromKeys && first) {
        if (QWidget *focused = m_window.focusWidget())
            globalPos = focused->mapToGlobal(focused->rect().center());
        menu.setActiveAction(first);
    }
    m_open = &menu;
    QAction *chosen = menu.exec(globalPos);
    m_open = nullptr;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (chosen && actions[i] == chosen) {
            m_entries[i].chosen();
            break;
        }
    }
}

} // namespace pelnori
