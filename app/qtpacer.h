// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/pacer.h"

#include <QTimer>

namespace pelnori {

// The pacer over a single-shot timer: the step runs from the event loop, so
// the window paints and takes input while the game waits.
class QtPacer final : public Pacer
{
public:
    QtPacer();

    void after(int milliseconds, std::function<void()> step) override;
    void cancel() override;

private:
    QTimer m_timer;
    std::function<void()> m_step;
};

} // namespace pelnori
