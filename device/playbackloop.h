// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/controloptions.h"
#include "device/effectplayer.h"
#include "device/hapticdeviceinfo.h"
#include "device/wakeplan.h"
#include "device/worker.h"
#include "input/padaction.h"
#include "input/padmapping.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace pelnori {

class DeviceWatch;
class EventPump;
class SdlSubsystems;
class SoundOutput;

// The playback thread's side: it starts SDL, owns the device watch, the
// effect player, the sound and the event pump, and sleeps until the earliest
// of their next wake-ups or the next piece of work from its Worker. No other
// thread calls SDL. What other threads may read is published under a mutex.
class PlaybackLoop
{
public:
    using Clock = std::chrono::steady_clock;
    using Request = EffectPlayer::Request;
    using StartSdl = std::function<std::unique_ptr<SdlSubsystems>()>;

    // While nothing plays, SDL is pumped this often: rumble expires and
    // devices plugged in or out are noticed.
    static constexpr std::chrono::milliseconds kIdlePump{1000};

    PlaybackLoop(ControlOptions options, StartSdl startSdl);
    ~PlaybackLoop();

    // The thread's life: starts SDL and the first look for a device, tells
    // started whether anything works, then runs until it is asked to end or
    // fails, and shuts SDL down.
    void run(std::promise<bool> &started);

    Worker &worker() { return m_worker; }

    // Any thread: the program no longer waits for the thread (its quit has
    // timed out). From the end of the call it is blocked in, the thread
    // touches nothing of the process: it opens, closes and logs nothing,
    // and keeps whatever it holds.
    void leaveBehind() { m_leftBehind = true; }
    bool leftBehind() const { return m_leftBehind; }

    // Any thread: what the playback thread last published.
    bool attached() const;
    // Hands the effect over to the thread, which is busy from now until it
    // has been played.
    void handOver(Request request);
    // Waits until nothing plays or sounds; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // The playback thread, as work handed over through the worker.
    bool findDevice();
    std::vector<HapticDeviceInfo> devices();
    void play(const Request &request);
    void setPadListener(std::function<void(const PadPress &)> listener);
    // The player's controller settings: the buttons and dead zone, the
    // device chosen (empty for the usual order) and whose controller is whose.
    void setPadSettings(const PadMapping &mapping, const QString &device, bool swapPlayers);
    void setPadCapturing(bool capturing);
    // The joysticks and controllers attached, as (id, name).
    std::vector<std::pair<QString, QString>> controllers();
    void setPadInputWanted(bool wanted);
    bool soundOn() const;
    bool soundOutputWorks();
    bool turnSoundOn();

private:
    void loop();
    void aimAt(std::optional<int> player);
    WakePlan plan(Clock::time_point now) const;
    void pump(Clock::time_point now);
    void tickEffect(Clock::time_point now);
    void fail(const char *what);
    void shutDown();
    void publish();
    // Whether the thread is still to go on: neither asked to end nor left behind.
    bool wanted() const { return !m_leftBehind && !m_worker.ending(); }

    Worker m_worker;
    std::atomic<bool> m_leftBehind = false;
    const ControlOptions m_options;
    const StartSdl m_startSdl;

    // Published by the playback thread, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    bool m_attached = false;
    bool m_busy = false;
    int m_handedOver = 0; // effects handed over and not yet begun

    // Playback thread only.
    std::unique_ptr<SdlSubsystems> m_sdl;
    std::unique_ptr<DeviceWatch> m_watch;
    std::unique_ptr<EventPump> m_pump;
    std::unique_ptr<SoundOutput> m_sound;
    EffectPlayer m_player;
    Clock::time_point m_nextPump;
    std::optional<Clock::time_point> m_nodeInput;  // came on a node, not yet read
    std::optional<Clock::time_point> m_nodesAgain; // when the nodes are watched again
};

} // namespace pelnori
