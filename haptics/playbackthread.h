// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"
#include "haptics/controloptions.h"
#include "haptics/devicescan.h"
#include "haptics/effectlibrary.h"
#include "haptics/padaction.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace pelnori {

class PadInput;
class SdlSubsystems;
class SoundOutput;
struct SdlDevice;

// The thread that owns SDL: it starts SDL's subsystems, finds and chooses
// the device, plays effects on it (natively where the device can, else
// rendered into rumble commands every kUpdatePeriod), plays them as sound
// too when asked to (SoundOutput) and shuts SDL down again. No other thread calls SDL. The public calls come from one thread
// (the UI thread); what they need from the playback thread is either
// published under the mutex or asked for in a round trip that waits at most
// kRoundTripTimeout.
class PlaybackThread
{
public:
    static constexpr std::chrono::milliseconds kUpdatePeriod{10};
    // Each rumble command lasts a little longer than an update, so motors
    // stop by themselves if updates stall.
    static constexpr std::chrono::milliseconds kRumbleHold{30};
    // While nothing plays, SDL is pumped this often: rumble expires and
    // devices plugged in or out are noticed.
    static constexpr std::chrono::milliseconds kIdlePump{1000};
    static constexpr std::chrono::milliseconds kRoundTripTimeout{2000};

    struct Request
    {
        std::shared_ptr<const LoadedEffects> effects;
        int index = 0;
    };

    // Starts the thread and returns once SDL is up and the first look for a
    // device is done. With options.sound an audio output that opens counts
    // as a device.
    explicit PlaybackThread(ControlOptions options = {});
    // Stops what plays, shuts SDL down and joins the thread.
    ~PlaybackThread();

    PlaybackThread(const PlaybackThread &) = delete;
    PlaybackThread &operator=(const PlaybackThread &) = delete;

    // False when none of SDL's subsystems started; the thread has ended.
    bool started() const { return m_started; }

    // Plays the effect, cutting off the one that plays. When no device is
    // known it first looks for one; throws HapticError when there is none.
    void play(Request request);
    // Stops whatever plays.
    void stop();
    // Waits until the current effect has ended; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);
    // Looks for a device now; true when one can play effects (a working
    // sound output counts).
    bool findDevice();
    // Whether effects are also played as sound.
    bool soundOn();
    // Whether an audio output opens; it is closed again before it plays.
    bool soundOutputWorks();
    // Plays every effect as sound from now on; true when the output works.
    bool turnSoundOn();
    // Every device SDL lists, and which one plays.
    std::vector<HapticDeviceInfo> devices();
    // Where game-controller presses go: called on the playback thread, so
    // it must pass them on to the window's thread. Once this returns, the
    // previous listener is no longer called.
    void setPadListener(std::function<void(PadAction)> listener);
    // Whether the window wants controller presses now (it is active).
    void setPadInputWanted(bool wanted);
    // When the first frame of the last effect's sound went to the audio
    // device; nullopt without sound.
    std::optional<std::chrono::steady_clock::time_point> lastEffectHeardAt();
    // Runs work on the playback thread soon, without waiting for it. An
    // error that work lets out stops the thread as any unexpected error
    // would: the control falls silent and its calls raise HapticError.
    void runSoon(std::function<void()> work);

private:
    // Runs work on the playback thread and waits for its result, at most
    // kRoundTripTimeout; throws HapticError when it does not come.
    template<typename Work>
    auto call(Work work) -> decltype(work());

    void run(std::promise<bool> &started);
    void loop();
    void fail(const char *what);
    void shutDown();
    void pump();
    void rescan();
    void considerNewcomers();
    void setDevice(std::unique_ptr<SdlDevice> device);
    void publishAttached();
    bool soundWorks() const;
    void followWithSound(const std::optional<Request> &request, bool stopWanted);
    std::chrono::steady_clock::time_point soundWake(std::chrono::steady_clock::time_point wakeAt) const;
    void dropDevice();
    void begin(const Request &request);
    void tick(std::chrono::steady_clock::time_point now);
    void endPlayback();

    // Shared with the calling thread, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    bool m_quit = false;
    bool m_failed = false;
    bool m_busy = false;
    bool m_stopWanted = false;
    bool m_attached = false; // published by the playback thread
    std::optional<Request> m_request;
    std::deque<std::function<void()>> m_tasks;

    // Written once by the constructor, before any other call.
    const ControlOptions m_options;
    bool m_started = false;
    std::thread m_thread;

    // Playback thread only.
    std::unique_ptr<SdlSubsystems> m_sdl;
    std::unique_ptr<SdlDevice> m_device;
    std::unique_ptr<PadInput> m_pads;
    std::unique_ptr<SoundOutput> m_sound; // with options.sound, or once turned on
    std::vector<SDL_JoystickID> m_known; // joysticks seen at the last look
    bool m_newcomers = false;            // SDL announced a joystick since
    int m_hapticCount = 0;
    bool m_playing = false;
    int m_nativeId = -1; // the effect the device plays itself, or -1
    Request m_current;
    Effect m_effect;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_nextTick;
    std::chrono::steady_clock::time_point m_nextPump;
    std::optional<std::chrono::steady_clock::time_point> m_nextInputPump;
};

template<typename Work>
auto PlaybackThread::call(Work work) -> decltype(work())
{
    using Result = decltype(work());
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    auto result = task->get_future();
    {
        std::lock_guard lock(m_mutex);
        if (m_failed)
            throw HapticError("the force-feedback playback has stopped after an error");
        m_tasks.emplace_back([task] { (*task)(); });
    }
    m_wake.notify_one();
    if (result.wait_for(kRoundTripTimeout) != std::future_status::ready)
        throw HapticError("the force-feedback device does not answer");
    try {
        return result.get();
    } catch (const std::future_error &) {
        // The thread failed before it got to the work.
        throw HapticError("the force-feedback playback has stopped after an error");
    }
}

} // namespace pelnori
