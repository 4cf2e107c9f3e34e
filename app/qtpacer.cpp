// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qtpacer.h"

namespace pelnori {

QtPacer::QtPacer()
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // The step may ask for the next one.
        const std::function<void()> step = std::move(m_step);
        m_step = nullptr;
        if (step)
            step();
    });
}

void QtPacer::after(int milliseconds, std::function<void()> step)
{
    m_step = std::move(step);
    m_timer.start(milliseconds);
}

void QtPacer::cancel()
{
    m_timer.stop();
    m_step = nullptr;
}

} // namespace pelnori
