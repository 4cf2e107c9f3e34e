// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/wakeplan.h"

#include <algorithm>

namespace pelnori {

std::optional<WakePlan::Clock::time_point> WakePlan::nodeRead() const
{
    if (!nodeInput)
        return std::nullopt;
    return nodesAgain ? std::max(*nodeInput, *nodesAgain) : *nodeInput;
}

WakePlan::Clock::time_point WakePlan::wakeAt() const
{
    auto at = effectTick.value_or(idlePump);
    for (const auto &other : {soundEnd, padPoll, nodeRead(), nodesAgain}) {
        if (other)
            at = std::min(at, *other);
    }
    return at;
}

bool WakePlan::pumpsAt(Clock::time_point now, bool played) const
{
    const auto due = [now](const std::optional<Clock::time_point> &at) { return at && now >= *at; };
    return played || due(nodeRead()) || due(padPoll) || now >= idlePump;
}

} // namespace pelnori
