// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

namespace pelnori {

// What the playback thread has to do next, and when. Pure: the loop fills
// it in from its parts, and tests lay out every case.
struct WakePlan
{
    using Clock = std::chrono::steady_clock;

    std::optional<Clock::time_point> effectTick; // the playing effect's next update
    std::optional<Clock::time_point> soundEnd;   // when what sounds has ended
    std::optional<Clock::time_point> padPoll;    // the controllers' next reading
    Clock::time_point idlePump;                  // SDL's pump once in a while

    // When the thread wakes up, unless work or controller input comes first.
    // While an effect plays, its updates pump SDL and the idle pump waits.
    Clock::time_point wakeAt() const;
    // Whether SDL is pumped after waking at now: with every update of an
    // effect and once more after its end (played), when controller input
    // arrived or its reading is due, and when the idle pump is.
    bool pumpsAt(Clock::time_point now, bool played, bool padInput) const;
};

} // namespace pelnori
