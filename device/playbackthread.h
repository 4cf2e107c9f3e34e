// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/controloptions.h"
#include "device/effectplayer.h"
#include "device/playbackloop.h"

#include <chrono>
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
class PlaybackThread
{
public:
    using Request = EffectPlayer::Request;
    using StartSdl = std::function<std::unique_ptr<SdlSubsystems>()>;

    static constexpr std::chrono::milliseconds kRoundTripTimeout{2000};

    // Starts the thread and returns once SDL is up and the first look for a
    // device is done, or once options.startTimeout has passed: the thread
    // then goes on starting, and until it is done no device is known. With
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

    // Plays the effect, cutting off the one that plays. When no device is
    // known it first looks for one; throws HapticError when there is none.
    void play(Request request);
    // Waits until the current effect has ended; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // Runs work(loop) on the playback thread and returns its result within
    // kRoundTripTimeout; throws HapticError when no answer has come by then
    // or the thread has ended, and whatever the work raises.
    template<typename Work>
    auto ask(Work work) -> decltype(work(std::declval<PlaybackLoop &>()))
    {
        return m_loop->worker().call([loop = m_loop.get(), work = std::move(work)]() mutable { return work(*loop); },
                                     kRoundTripTimeout);
    }
    // Queues work(loop) for the playback thread and returns at once.
    template<typename Work>
    void tell(Work work)
    {
        m_loop->worker().post([loop = m_loop.get(), work = std::move(work)]() mutable { work(*loop); });
    }

private:
    const ControlOptions m_options;
    // Shared with the thread, which keeps it alive if it is left behind.
    std::shared_ptr<PlaybackLoop> m_loop;
    std::thread m_thread;
    std::shared_future<void> m_ended;
    bool m_started = false;
};

} // namespace pelnori
