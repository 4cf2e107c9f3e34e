// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/wakeplan.h"

#include <algorithm>

namespace pelnori {

WakePlan::Clock::time_point WakePlan::wakeAt() const
{
    auto at = effectTick.value_or(idlePump);
    for (const auto &other : {soundEnd, padPoll}) {
        if (other)
            at = std::min(at, *other);
    }
    return at;
}

bool WakePlan::pumpsAt(Clock::time_point now, bool played, bool padInput) const
{
    return played || padInput || (padPoll && now >= *padPoll) || now >= idlePump;
}

} // namespace pelnori
