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

void WindowMenu::addEntry(const QString &caption, std::function<void()> chosen)
{
    m_entries.push_back({caption, std::move(chosen)});
}

void WindowMenu::open(QPoint globalPos, bool fromKeys)
{
    if (m_open)
        return;
    QMenu menu(&m_window);
    menu.setObjectName(QStringLiteral("windowMenu"));
    // The menu grows with the window's size.
    menu.setFont(zoomedDefaultFont());
    std::vector<QAction *> actions;
    for (const Entry &entry : m_entries)
        actions.push_back(menu.addAction(entry.caption));
    if (fromKeys && !actions.empty()) {
        if (QWidget *focused = m_window.focusWidget())
            globalPos = focused->mapToGlobal(focused->rect().center());
        menu.setActiveAction(actions.front());
    }
    m_open = &menu;
    QAction *chosen = menu.exec(globalPos);
    m_open = nullptr;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) {
            m_entries[i].chosen();
            break;
        }
    }
}

} // namespace pelnori
