// SPDX-License-Identifier: GPL-3.0-or-later
#include "haptics/playbackthread.h"

#include "haptics/hapticslog.h"
#include "haptics/padinput.h"
#include "haptics/sdldevice.h"
#include "haptics/sdloutput.h"
#include "haptics/sdlsubsystems.h"
#include "haptics/soundoutput.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

namespace pelnori {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point now)
{
    return std::chrono::duration<double, std::milli>(now - start).count();
}

} // namespace

PlaybackThread::PlaybackThread(ControlOptions options)
    : m_options(options)
{
    std::promise<bool> started;
    auto result = started.get_future();
    // The promise lives with the thread: it may still be inside set_value()
    // when this constructor has its answer and returns.
    m_thread = std::thread([this, started = std::move(started)]() mutable { run(started); });
    m_started = result.get();
}

PlaybackThread::~PlaybackThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void PlaybackThread::play(Request request)
{
    bool attached = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_failed)
            throw HapticError("the force-feedback playback has stopped after an error");
        attached = m_attached;
    }
    // None known: look once more before saying there is none.
    if (!attached && !findDevice())
        throw HapticError("no force-feedback device is attached");
    {
        std::lock_guard lock(m_mutex);
        m_request = std::move(request);
        m_busy = true;
    }
    m_wake.notify_one();
}

void PlaybackThread::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_request.reset();
        m_stopWanted = true;
    }
    m_wake.notify_one();
}

bool PlaybackThread::waitUntilIdle(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, timeout, [this] { return !m_busy; });
}

bool PlaybackThread::findDevice()
{
    return call([this] {
        pump();
        if (!m_device)
            rescan();
        return m_device != nullptr || soundWorks();
    });
}

bool PlaybackThread::soundOn()
{
    return call([this] { return m_sound != nullptr; });
}

bool PlaybackThread::soundOutputWorks()
{
    return call([this] { return soundWorks() || SoundOutput::opens(); });
}

bool PlaybackThread::turnSoundOn()
{
    return call([this] {
        if (!m_sound)
            m_sound = std::make_unique<SoundOutput>();
        publishAttached();
        return soundWorks();
    });
}

std::vector<HapticDeviceInfo> PlaybackThread::devices()
{
    return call([this] {
        pump();
        if (!m_device)
            rescan();
        return describeDevices(m_device.get());
    });
}

void PlaybackThread::setPadListener(std::function<void(PadAction)> listener)
{
    call([this, listener = std::move(listener)]() mutable {
        if (m_pads)
            m_pads->setListener(std::move(listener));
    });
}

void PlaybackThread::setPadInputWanted(bool wanted)
{
    runSoon([this, wanted] {
        if (m_pads) {
            m_pads->setWanted(wanted);
            m_nextInputPump = m_pads->nextPoll(Clock::now());
        }
    });
}

std::optional<std::chrono::steady_clock::time_point> PlaybackThread::lastEffectHeardAt()
{
    return call([this] { return m_sound ? m_sound->lastEffectHeardAt() : std::nullopt; });
}

void PlaybackThread::runSoon(std::function<void()> work)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_failed)
            throw HapticError("the force-feedback playback has stopped after an error");
        m_tasks.push_back(std::move(work));
    }
    m_wake.notify_one();
}

void PlaybackThread::run(std::promise<bool> &started)
{
    bool up = false;
    try {
        m_sdl = std::make_unique<SdlSubsystems>();
        if (m_options.sound)
            m_sound = std::make_unique<SoundOutput>();
        up = m_sdl->any() || soundWorks();
        if (up) {
            // Best effort: the thread works for microseconds a tick, but a
            // busy machine must not make it late. Without the right to, it
            // keeps its ordinary priority.
            SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
            m_pads = std::make_unique<PadInput>();
            // The first look for a device ends before the control is handed
            // out, so its first call already knows what is attached.
            rescan();
        }
    } catch (const std::exception &error) {
        fail(error.what());
    } catch (...) {
        fail("an unknown error");
    }
    started.set_value(up);
    if (up) {
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

void PlaybackThread::loop()
{
    m_nextPump = Clock::now() + kIdlePump;
    std::unique_lock lock(m_mutex);
    while (!m_failed) {
        // Idle, the thread sleeps until the next pump: once a second, or
        // sooner while the window reads a controller or a sound ends.
        auto wakeAt = soundWake(m_playing ? m_nextTick : m_nextPump);
        if (m_nextInputPump)
            wakeAt = std::min(wakeAt, *m_nextInputPump);
        m_wake.wait_until(lock, wakeAt, [this] {
            return m_quit || m_request || m_stopWanted || !m_tasks.empty();
        });
        if (m_quit)
            return;
        std::optional<Request> request = std::exchange(m_request, std::nullopt);
        const bool stopWanted = std::exchange(m_stopWanted, false);
        std::deque<std::function<void()>> tasks = std::exchange(m_tasks, {});
        lock.unlock();

        // A new effect goes out first: the player waits for it. An update goes
        // out before SDL is pumped, so a late wake-up refreshes the motors
        // rather than letting SDL stop them first.
        const bool wasPlaying = m_playing;
        if (request)
            begin(*request);
        else if (stopWanted)
            endPlayback();
        else if (m_playing && Clock::now() >= m_nextTick)
            tick(Clock::now());
        followWithSound(request, stopWanted);
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }

        // SDL is pumped with every update, once more when an effect has
        // ended (a device plugged in meanwhile is weighed then), when the
        // window's controller input is due, and once a second while idle.
        const auto now = Clock::now();
        const bool inputDue = m_nextInputPump && now >= *m_nextInputPump;
        if (wasPlaying || m_playing || inputDue || now >= m_nextPump) {
            pump();
            m_nextPump = now + kIdlePump;
        }

        const bool sounding = m_sound && m_sound->soundingUntil(Clock::now());
        lock.lock();
        m_busy = m_playing || sounding || m_request.has_value();
        if (!m_busy)
            m_idle.notify_all();
    }
}

// Something went wrong that the thread has no answer to: it stops playing
// and every later call raises HapticError, while the program goes on.
void PlaybackThread::fail(const char *what)
{
    qCWarning(lcHaptics, "force-feedback playback stopped after an unexpected error: %s", what);
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_failed = true;
        m_attached = false;
        m_busy = false;
        m_request.reset();
        // Callers waiting on these learn at once that no answer comes.
        dropped = std::exchange(m_tasks, {});
    }
    m_idle.notify_all();
}

void PlaybackThread::shutDown()
{
    try {
        endPlayback();
        setDevice(nullptr);
        m_pads.reset();
    } catch (...) {
        // Closing is best effort once something has failed.
    }
    m_sound.reset();
    m_sdl.reset();
    // SDL keeps per-thread data (its error text) for threads it did not start.
    SDL_TLSCleanup();
}

void PlaybackThread::pump()
{
    if (m_sound)
        m_sound->pump(Clock::now());
    if (!SDL_WasInit(SDL_INIT_JOYSTICK))
        return;
    // Also lets SDL end rumble whose time is up, which some drivers need.
    SDL_JoystickUpdate();

    const auto now = Clock::now();
    SDL_Event events[16];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE)) > 0) {
        for (int i = 0; i < count; ++i) {
            if (events[i].type == SDL_JOYDEVICEADDED)
                m_newcomers = true;
            if (m_pads)
                m_pads->handle(events[i], now);
        }
    }
    if (m_pads) {
        m_pads->afterPump(now);
        m_nextInputPump = m_pads->nextPoll(now);
    }

    if (m_device && m_device->stick() && !SDL_JoystickGetAttached(m_device->stick())) {
        qCInfo(lcHaptics) << m_device->name << "was unplugged";
        dropDevice();
    }
    // A device is never switched under a playing effect; newcomers wait.
    if (!m_playing && m_newcomers)
        considerNewcomers();
    // Joysticks announce themselves; haptic devices only show in the count.
    if (!m_device && SDL_WasInit(SDL_INIT_HAPTIC) && SDL_NumHaptics() != m_hapticCount)
        rescan();
}

void PlaybackThread::rescan()
{
    m_newcomers = false;
    m_known.clear();
    auto best = chooseDevice([this](const ListedDevice &listed) {
        if (listed.list == ListedDevice::List::Joystick)
            m_known.push_back(listed.instance);
        return true;
    });
    if (SDL_WasInit(SDL_INIT_HAPTIC))
        m_hapticCount = SDL_NumHaptics();
    if (best)
        qCInfo(lcHaptics) << "chose" << best->name << "-" << rankReason(best->rank);
    else
        qCInfo(lcHaptics) << "no device that can play effects is attached";
    setDevice(std::move(best));
}

// Joysticks plugged in since the last look, known by their instance ids: a
// better one than the current device takes its place.
void PlaybackThread::considerNewcomers()
{
    if (!m_device) {
        rescan();
        return;
    }
    m_newcomers = false;
    std::vector<SDL_JoystickID> present;
    auto better = chooseDevice([&](const ListedDevice &listed) {
        if (listed.list != ListedDevice::List::Joystick)
            return false;
        present.push_back(listed.instance);
        return std::find(m_known.begin(), m_known.end(), listed.instance) == m_known.end();
    });
    m_known = std::move(present);
    if (better && better->rank < m_device->rank) {
        qCInfo(lcHaptics) << "chose" << better->name << "-" << rankReason(better->rank) << "- over" << m_device->name;
        setDevice(std::move(better));
    }
}

void PlaybackThread::setDevice(std::unique_ptr<SdlDevice> device)
{
    m_device = std::move(device);
    publishAttached();
}

// A device plays effects, and so does a sound output that works.
void PlaybackThread::publishAttached()
{
    const bool attached = m_device != nullptr || soundWorks();
    std::lock_guard lock(m_mutex);
    m_attached = attached;
}

bool PlaybackThread::soundWorks() const
{
    return m_sound && m_sound->works();
}

// The sound follows what the motors were told: a new effect or a stop.
void PlaybackThread::followWithSound(const std::optional<Request> &request, bool stopWanted)
{
    if (!m_sound)
        return;
    if (request)
        m_sound->play(request->effects->effects.at(std::size_t(request->index)));
    else if (stopWanted)
        m_sound->stop();
    publishAttached();
}

// While a sound plays the thread also wakes at its end, so that waiting
// until idle includes it.
Clock::time_point PlaybackThread::soundWake(Clock::time_point wakeAt) const
{
    if (const auto until = m_sound ? m_sound->soundingUntil(Clock::now()) : std::nullopt)
        return std::min(wakeAt, *until);
    return wakeAt;
}

void PlaybackThread::dropDevice()
{
    m_playing = false;
    m_nativeId = -1;
    setDevice(nullptr);
}

void PlaybackThread::begin(const Request &request)
{
    // A rendered effect is replaced by the next one's first update without a
    // gap; only a native one must be stopped first.
    const bool motorsRunning = m_playing && m_nativeId < 0;
    if (m_playing && m_nativeId >= 0)
        endPlayback();
    m_playing = false;
    if (!m_device)
        return;
    m_current = request;
    m_effect = request.effects->effects.at(std::size_t(request.index));
    m_start = Clock::now();
    m_playing = true;
    m_nativeId = startNative(*m_device, m_effect, request.effects->handle, request.index);
    if (m_nativeId >= 0) {
        if (motorsRunning)
            sendMotors(*m_device, {}, std::chrono::milliseconds(0));
        m_nextTick = std::min(m_start + std::chrono::milliseconds(effectLengthMs(m_effect)), m_start + kIdlePump);
    } else {
        tick(m_start);
    }
}

void PlaybackThread::tick(Clock::time_point now)
{
    const double t = msSince(m_start, now);
    const int length = effectLengthMs(m_effect);
    const auto end = m_start + std::chrono::milliseconds(length);
    if (m_nativeId >= 0) {
        if (now >= end)
            endPlayback();
        else
            m_nextTick = std::min(end, now + kIdlePump);
        return;
    }
    if (t >= length) {
        endPlayback();
        return;
    }
    if (!sendMotors(*m_device, motorLevelsAt(m_effect, t), kRumbleHold)) {
        // A failed command means the device is gone or never rumbled.
        qCInfo(lcHaptics) << m_device->name << "refused a rumble command and is no longer used";
        dropDevice();
        return;
    }
    // Stay on the effect's own schedule so a late tick doesn't shift the rest.
    const auto period = std::chrono::duration_cast<Clock::duration>(kUpdatePeriod);
    const auto elapsed = now - m_start;
    m_nextTick = std::min(end, m_start + (elapsed / period + 1) * period);
}

// Stops the effect that plays, if any: the motors get an explicit zero.
void PlaybackThread::endPlayback()
{
    if (!m_playing)
        return;
    m_playing = false;
    if (!m_device)
        return;
    if (m_nativeId >= 0) {
        stopNative(*m_device, m_nativeId);
        m_nativeId = -1;
    } else {
        sendMotors(*m_device, {}, std::chrono::milliseconds(0));
    }
}

} // namespace pelnori
