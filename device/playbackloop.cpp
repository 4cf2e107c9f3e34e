// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/playbackloop.h"

#include "device/devicescan.h"
#include "device/devicewatch.h"
#include "device/eventpump.h"
#include "device/hapticslog.h"
#include "device/padinput.h"
#include "device/sdlsubsystems.h"
#include "device/soundoutput.h"

#include <SDL.h>

namespace pelnori {

PlaybackLoop::PlaybackLoop(ControlOptions options, StartSdl startSdl)
    : m_options(options)
    , m_startSdl(std::move(startSdl))
{
}

PlaybackLoop::~PlaybackLoop() = default;

void PlaybackLoop::run(std::promise<bool> &started)
{
    markPlaybackThread(&m_leftBehind);
    bool up = false;
    try {
        // Each step can block in a driver; the next one is taken only while
        // the thread is still wanted.
        m_sdl = m_startSdl();
        if (wanted())
            m_sound = std::make_unique<SoundOutput>(m_options.sound);
        up = wanted() && (m_sdl->any() || m_sound->works());
        if (up) {
            // Best effort: the thread works for microseconds a tick, but a
            // busy machine must not make it late. Without the right to, it
            // keeps its ordinary priority.
            SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
            m_watch = std::make_unique<DeviceWatch>([this] { publish(); });
            m_pump = std::make_unique<EventPump>(m_options.padNode);
            // The first look for a device ends before the control is handed
            // out, so its first call already knows what is attached.
            if (wanted())
                m_watch->rescan();
        }
    } catch (const std::exception &error) {
        fail(error.what());
    } catch (...) {
        fail("an unknown error");
    }
    started.set_value(up);
    if (up && wanted()) {
        try {
            loop();
        } catch (const std::exception &error) {
            fail(error.what());
        } catch (...) {
            fail("an unknown error");
        }
    }
    shutDown();
}

// Sleeps until the earliest wake-up of the parts: the effect's next update,
// the end of a sound, the next reading of a controller, or the idle pump
// once a second; or until work comes, or input on a controller's node,
// which is read at most every WakePlan::kNodeReadGap.
void PlaybackLoop::loop()
{
    m_nextPump = Clock::now() + kIdlePump;
    std::deque<Worker::Task> tasks;
    for (;;) {
        const WakePlan next = plan(Clock::now());
        if (!m_worker.wait(next.wakeAt(), tasks, next.watchesNodes() ? m_pump->nodes() : std::span<const int>()))
            return;

        // New effects and the window's questions first: the player waits
        // for them. An update goes out before SDL is pumped, so a late
        // wake-up refreshes the motors rather than letting SDL stop them.
        const bool wasPlaying = m_player.playing();
        for (auto &task : std::exchange(tasks, {}))
            task();
        if (!wanted())
            return;
        if (const auto due = m_player.nextTick(); due && Clock::now() >= *due)
            tickEffect(Clock::now());

        const auto after = Clock::now();
        if (m_nodesAgain && after >= *m_nodesAgain)
            m_nodesAgain.reset();
        if (m_pump->inputArrived(after) && !m_nodeInput)
            m_nodeInput = after;
        if (plan(after).pumpsAt(after, wasPlaying || m_player.playing())) {
            pump(after);
            m_nextPump = after + kIdlePump;
        }
        publish();
    }
}

WakePlan PlaybackLoop::plan(Clock::time_point now) const
{
    return {.effectTick = m_player.nextTick(),
            .soundEnd = m_sound->soundingUntil(now),
            .padPoll = m_pump->nextInput(),
            .idlePump = m_nextPump,
            .nodeInput = m_nodeInput,
            .nodesAgain = m_nodesAgain};
}

void PlaybackLoop::pump(Clock::time_point now)
{
    // Whatever came on the nodes is read now; after input came on one, the
    // next is read no sooner than WakePlan::kNodeReadGap from now.
    if (std::exchange(m_nodeInput, std::nullopt))
        m_nodesAgain = now + WakePlan::kNodeReadGap;
    m_sound->pump(now);
    m_pump->pump(now, *m_watch);
    m_watch->afterPump(m_player.playing());
    if (!m_watch->device())
        m_player.forget();
}

void PlaybackLoop::tickEffect(Clock::time_point now)
{
    SdlDevice *device = m_watch->device();
    if (!device) {
        m_player.forget();
        return;
    }
    if (!m_player.tick(*device, now))
        m_watch->drop();
}

bool PlaybackLoop::findDevice()
{
    pump(Clock::now());
    if (!m_watch->device())
        m_watch->rescan();
    return m_watch->device() != nullptr || m_sound->aloud();
}

std::vector<HapticDeviceInfo> PlaybackLoop::devices()
{
    pump(Clock::now());
    if (!m_watch->device())
        m_watch->rescan();
    return describeDevices(m_watch->device());
}

void PlaybackLoop::play(const Request &request)
{
    // The sound's output opens before the motors start, so that a slow
    // audio server delays the start, never the effect's later updates.
    const Effect effect = request.effect();
    m_sound->reopen();
    aimAt(request.player);
    if (SdlDevice *device = m_watch->device()) {
        if (!m_player.begin(request, *device, Clock::now()))
            m_watch->drop();
    }
    m_sound->play(effect);
    std::lock_guard lock(m_mutex);
    --m_handedOver;
}

// The player's own controller plays, when two are attached; otherwise the
// device chosen as usual. What plays on the other stops first.
void PlaybackLoop::aimAt(std::optional<int> player)
{
    const SDL_JoystickID target = player ? m_pump->pads().instanceOf(*player) : -1;
    if (target == m_watch->target())
        return;
    if (SdlDevice *device = m_watch->device(); device && m_player.playing())
        m_player.end(*device);
    m_watch->setTarget(target);
}

void PlaybackLoop::setPadListener(std::function<void(const PadPress &)> listener)
{
    m_pump->pads().setListener(std::move(listener));
}

void PlaybackLoop::setPadSettings(const PadMapping &mapping, const QString &device, bool swapPlayers)
{
    m_pump->pads().setMapping(mapping);
    m_pump->pads().setPlayers(device, swapPlayers);
    // Never under a playing effect: it goes on where it began.
    m_watch->setPreferred(device, m_player.playing());
}

void PlaybackLoop::setPadCapturing(bool capturing)
{
    m_pump->pads().setCapturing(capturing);
}

std::vector<std::pair<QString, QString>> PlaybackLoop::controllers()
{
    pump(Clock::now());
    return listControllers();
}

void PlaybackLoop::setPadInputWanted(bool wanted)
{
    m_pump->inputWanted(wanted, Clock::now());
    // An active window is about to be played: the sound's output is opened
    // now rather than at the first card.
    if (wanted)
        m_sound->reopen();
}

bool PlaybackLoop::soundOn() const
{
    return m_sound->on();
}

bool PlaybackLoop::soundOutputWorks()
{
    return m_sound->aloud() || SoundOutput::opens();
}

bool PlaybackLoop::turnSoundOn()
{
    const bool works = m_sound->turnOn();
    publish();
    return works;
}

bool PlaybackLoop::attached() const
{
    std::lock_guard lock(m_mutex);
    return m_attached;
}

void PlaybackLoop::handOver(Request request)
{
    {
        std::lock_guard lock(m_mutex);
        ++m_handedOver;
        m_busy = true;
    }
    try {
        m_worker.post([this, request = std::move(request)] { play(request); });
    } catch (const HapticError &) {
        std::lock_guard lock(m_mutex);
        m_busy = --m_handedOver > 0;
        throw;
    }
}

bool PlaybackLoop::waitUntilIdle(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, timeout, [this] { return !m_busy; });
}

// A device plays effects, and so does a sound output that is heard.
void PlaybackLoop::publish()
{
    const bool attached = (m_watch && m_watch->device()) || (m_sound && m_sound->aloud());
    const bool sounding = m_sound && m_sound->soundingUntil(Clock::now());
    {
        std::lock_guard lock(m_mutex);
        m_attached = attached;
        m_busy = m_player.playing() || sounding || m_handedOver > 0;
    }
    m_idle.notify_all();
}

// Something went wrong that the thread has no answer to: it stops playing
// and every later call raises HapticError, while the program goes on.
void PlaybackLoop::fail(const char *what)
{
    if (!threadLeftBehind())
        qCWarning(lcHaptics, "force-feedback playback stopped after an unexpected error: %s", what);
    m_worker.fail();
    {
        std::lock_guard lock(m_mutex);
        m_attached = false;
        m_busy = false;
        m_handedOver = 0;
    }
    m_idle.notify_all();
}

void PlaybackLoop::shutDown()
{
    // Whoever asks from now on learns at once that no answer comes.
    m_worker.quit();
    // Each step can block in a driver: a thread left behind meanwhile stops
    // there, and keeps the rest.
    const std::function<void()> steps[] = {
        [this] {
            if (m_watch && m_watch->device())
                m_player.end(*m_watch->device());
        },
        [this] { m_watch.reset(); },
        [this] { m_pump.reset(); },
        [this] { m_sound.reset(); },
        [this] { m_sdl.reset(); },
        // SDL keeps per-thread data (its error text) for threads it did not start.
        [] { SDL_TLSCleanup(); },
    };
    for (const auto &step : steps) {
        if (m_leftBehind)
            return;
        try {
            step();
        } catch (...) {
            // Closing is best effort once something has failed.
        }
    }
}

} // namespace pelnori
