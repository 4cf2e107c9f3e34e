// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/controloptions.h"
#include "device/effectplayer.h"
#include "device/hapticdeviceinfo.h"
#include "input/padaction.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace pelnori {

class PlaybackLoop;
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
    // options.sound an audio output that opens counts as a device. startSdl
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
    // Looks for a device now; true when one can play effects (a working
    // sound output counts).
    bool findDevice();
    // Every device SDL lists, and which one plays.
    std::vector<HapticDeviceInfo> devices();
    // Where game-controller presses go: called on the playback thread, so
    // it must pass them on to the window's thread. Handed over without
    // waiting: the previous listener may be called until the thread has
    // taken the new one.
    void setPadListener(std::function<void(PadAction)> listener);
    // Whether the window wants controller presses now (it is active).
    void setPadInputWanted(bool wanted);
    // Whether effects are also played as sound.
    bool soundOn();
    // Whether an audio output opens; it is closed again before it plays.
    bool soundOutputWorks();
    // Plays every effect as sound from now on; true when the output works.
    bool turnSoundOn();

private:
    using Clock = std::chrono::steady_clock;

    // A round trip, or HapticError at once while the thread has not answered.
    template<typename Work>
    auto ask(Work work) -> decltype(work());
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

} // namespace pelnori
