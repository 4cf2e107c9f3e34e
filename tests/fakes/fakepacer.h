// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/pacer.h"

#include <functional>
#include <vector>

namespace pelnori::test {

// A pacer whose waits end when the test says: fire() runs the step waiting.
class FakePacer : public Pacer
{
public:
    void after(int milliseconds, std::function<void()> step) override
    {
        waits.push_back(milliseconds);
        m_step = std::move(step);
    }
    void cancel() override { m_step = nullptr; }

    bool pending() const { return static_cast<bool>(m_step); }
    // Runs the step waiting; false when none waits.
    bool fire()
    {
        if (!m_step)
            return false;
        const std::function<void()> step = std::move(m_step);
        m_step = nullptr;
        step();
        return true;
    }

    std::vector<int> waits;

private:
    std::function<void()> m_step;
};

} // namespace pelnori::test
