// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/announcer.h"

namespace pelnori {

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString &text)
{
    if (text.isEmpty())
        return;
    m_text = text;
    // Appearing is what is announced: hidden first, then shown again.
    setVisible(false);
    setVisible(true);
}

} // namespace pelnori
