// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/controloptions.h"
#include "device/effectplayer.h"
#include "device/playbackloop.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <utility>

namespace pelnori {

class SdlSubsystems;

// The thread that owns SDL (PlaybackLoop runs on it), as the haptic control
// sees it. The calls come from one thread (the UI thread) and never wait
// without a deadline: what they need from the playback thread is published
// under a mutex or asked for in a round trip of at most kRoundTripTimeout.
// Neither the start nor the end waits longer than the options allow: a
// device driver that blocks leaves the thread behind, not the program.
// The start is bounded as a whole: the round trips asked before its
// deadline wait no longer than it, and a thread that has not answered (it is
// still starting, or a round trip has run out of time) is not waited for
// again: the calls fail at once until it has caught up.
class PlaybackThread
{
public:
    using Request = EffectPlayer::Request;
    using StartSdl = std::function<std::unique_ptr<SdlSubsystems>()>;

    static constexpr std::chrono::milliseconds kRoundTripTimeout{2000};

    // Starts the thread and returns once SDL is up and the first look for a
    // device is done, or once options.startTimeout has passed: the thread
    // then goes on starting, and until it has answered no device is known
    // (the start's deadline is options.startTimeout from now). With
    // options.sound an audio output that is heard counts as a device. startSdl
    // starts SDL's subsystems on the thread.
    explicit PlaybackThread(ControlOptions options = {}, StartSdl startSdl = {});
    // Stops what plays, shuts SDL down and ends the thread; waits for it at
    // most options.quitTimeout, and leaves it behind after that.
    ~PlaybackThread();

    PlaybackThread(const PlaybackThread &) = delete;
    PlaybackThread &operator=(const PlaybackThread &) = delete;

    // False when none of SDL's subsystems started; the thread has ended.
    bool started() const { return m_started; }
    // Whether the thread has started and answered every round trip asked of
    // it so far, waiting for that at most wait. A thread that has ended
    // counts as answered: every call then fails at once.
    bool answered(std::chrono::milliseconds wait);

    // Plays the effect, cutting off the one that plays. When no device is
    // known it first looks for one; throws HapticError when there is none.
    void play(Request request);
    // Waits until the current effect has ended; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // Runs work(loop) on the playback thread and returns its result: within
    // what is left of the start's deadline while that lasts, else within
    // kRoundTripTimeout. Throws HapticError at once while the thread has not
    // answered an earlier round trip, when no answer comes in time or the
    // thread has ended, and whatever the work raises.
    template<typename Work>
    auto ask(Work work) -> decltype(work(std::declval<PlaybackLoop &>()));
    // Queues work(loop) for the playback thread and returns at once.
    template<typename Work>
    void tell(Work work)
    {
        m_loop->worker().post([loop = m_loop.get(), work = std::move(work)]() mutable { work(*loop); });
    }

private:
    using Clock = std::chrono::steady_clock;

    std::chrono::milliseconds roundTripTimeout() const;

    const ControlOptions m_options;
    const Clock::time_point m_startDeadline;
    // Shared with the thread, which keeps it alive if it is left behind.
    std::shared_ptr<PlaybackLoop> m_loop;
    std::thread m_thread;
    std::shared_future<bool> m_up;
    std::shared_future<void> m_ended;
    bool m_started = false;
    // Round trips asked (UI thread) and answered (by the thread, which may
    // outlive this), counted alike: the thread has caught up when they match.
    std::uint64_t m_asked = 0;
    std::shared_ptr<std::atomic<std::uint64_t>> m_answered = std::make_shared<std::atomic<std::uint64_t>>(0);
};

template<typename Work>
auto PlaybackThread::ask(Work work) -> decltype(work(std::declval<PlaybackLoop &>()))
{
    if (!answered(std::chrono::milliseconds(0)))
        throw HapticError("the force-feedback device has not answered yet");
    const std::uint64_t number = ++m_asked;
    // Counted however the work ends; not at all when the thread drops it,
    // but then it has ended.
    return m_loop->worker().call(
        [work = std::move(work), loop = m_loop.get(), answered = m_answered, number]() mutable {
            struct Count
            {
                std::atomic<std::uint64_t> &answered;
                std::uint64_t number;
                ~Count() { answered.store(number); }
            } count{*answered, number};
            return work(*loop);
        },
        roundTripTimeout());
}

} // namespace pelnori
