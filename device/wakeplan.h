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

    // Input on a controller's node is read by pumping SDL at most this
    // often: a stick that never rests (half-way, or worn without a dead
    // zone) reports up to 1000 times a second. A press still acts within
    // a few ms, far inside a frame.
    static constexpr std::chrono::milliseconds kNodeReadGap{4};

    std::optional<Clock::time_point> effectTick; // the playing effect's next update
    std::optional<Clock::time_point> soundEnd;   // when what sounds has ended
    std::optional<Clock::time_point> padPoll;    // the controllers' next reading
    Clock::time_point idlePump;                  // SDL's pump once in a while
    std::optional<Clock::time_point> nodeInput;  // input came on a node, not yet read
    std::optional<Clock::time_point> nodesAgain; // after a reading of node input, when the nodes are watched again

    // When the thread wakes up, unless work or controller input comes first.
    // While an effect plays, its updates pump SDL and the idle pump waits.
    Clock::time_point wakeAt() const;
    // Whether SDL is pumped after waking at now: with every update of an
    // effect and once more after its end (played), when input that came on
    // a node or the controllers' reading is due, and when the idle pump is.
    bool pumpsAt(Clock::time_point now, bool played) const;
    // Whether the thread sleeps on the controllers' nodes: not for
    // kNodeReadGap after it read input that came on one, nor while input
    // waits for its reading, which reads all that came since. It wakes once
    // that time is over, to read what came meanwhile.
    bool watchesNodes() const { return !nodeInput && !nodesAgain; }

private:
    std::optional<Clock::time_point> nodeRead() const;
};

} // namespace pelnori
