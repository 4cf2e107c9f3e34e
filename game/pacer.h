// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace pelnori {

// Waits that let the window go on: a step runs later from the event queue,
// never inside the call that asks for it. One step waits at a time. The
// real one is a timer; tests run the step when they choose.
class Pacer
{
public:
    virtual ~Pacer() = default;

    // Runs step once, milliseconds from now; a step still waiting is dropped.
    virtual void after(int milliseconds, std::function<void()> step) = 0;
    // Drops the step still waiting, if any.
    virtual void cancel() = 0;
};

} // namespace pelnori
