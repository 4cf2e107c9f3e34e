// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/controloptions.h"
#include "device/effectplayer.h"
#include "device/hapticdeviceinfo.h"
#include "input/padaction.h"

#include <chrono>
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
    // Looks for a device now; true when one can play effects (a working
    // sound output that is heard counts).
    bool findDevice();
    // Every device SDL lists, and which one plays.
    std::vector<HapticDeviceInfo> devices();
    // Where game-controller presses go: called on the playback thread, so
    // it must pass them on to the window's thread. Once this returns, the
    // previous listener is no longer called.
    void setPadListener(std::function<void(PadAction)> listener);
    // Whether the window wants controller presses now (it is active).
    void setPadInputWanted(bool wanted);
    // Whether effects are also played as sound.
    bool soundOn();
    // Whether an audio output that is heard opens, or is open already; one
    // opened here is closed again before it plays.
    bool soundOutputWorks();
    // Plays every effect as sound from now on; true when it is heard.
    bool turnSoundOn();

private:
    const ControlOptions m_options;
    // Shared with the thread, which keeps it alive if it is left behind.
    std::shared_ptr<PlaybackLoop> m_loop;
    std::thread m_thread;
    std::shared_future<void> m_ended;
    bool m_started = false;
};

} // namespace pelnori
