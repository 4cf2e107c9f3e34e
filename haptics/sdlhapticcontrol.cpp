// SPDX-License-Identifier: GPL-3.0-or-later
#include "haptics/sdlhapticcontrol.h"

#include "haptics/effectrenderer.h"
#include "haptics/sdleffect.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace pelnori {

namespace {

using Clock = std::chrono::steady_clock;

// Effect types that make a device worth more than a rumble pad.
constexpr unsigned kNativeTypes = SDL_HAPTIC_CONSTANT | SDL_HAPTIC_SINE | SDL_HAPTIC_TRIANGLE
    | SDL_HAPTIC_SAWTOOTHUP | SDL_HAPTIC_SAWTOOTHDOWN | SDL_HAPTIC_RAMP;
// While nothing plays, SDL is still pumped now and then so rumble expires
// and plugged devices are noticed.
constexpr auto kIdlePump = std::chrono::milliseconds(50);

// Preference among devices, best first.
enum class Rank { Native, Controller, Joystick, HapticRumble };

Uint16 motorWord(double level)
{
    return Uint16(std::lround(std::clamp(level, 0.0, 1.0) * 65535.0));
}

double msSince(Clock::time_point start, Clock::time_point now)
{
    return std::chrono::duration<double, std::milli>(now - start).count();
}

QStringList typeNames(unsigned query)
{
    static const std::pair<unsigned, const char *> names[] = {
        {SDL_HAPTIC_CONSTANT, "constant"},   {SDL_HAPTIC_SINE, "sine"},
        {SDL_HAPTIC_TRIANGLE, "triangle"},   {SDL_HAPTIC_SAWTOOTHUP, "sawtooth-up"},
        {SDL_HAPTIC_SAWTOOTHDOWN, "sawtooth-down"}, {SDL_HAPTIC_RAMP, "ramp"},
        {SDL_HAPTIC_LEFTRIGHT, "rumble"},
    };
    QStringList out;
    for (const auto &[flag, name] : names) {
        if (query & flag)
            out << QString::fromLatin1(name);
    }
    return out;
}

// One opened device. Closed (with its uploaded effects) when destroyed, which
// only ever happens on the playback thread.
struct Device
{
    struct Upload
    {
        std::int32_t handle = 0;
        int index = 0;
        int id = -1;
        std::uint64_t lastUse = 0;
    };

    Rank rank = Rank::Joystick;
    QString name;
    SDL_Haptic *haptic = nullptr;
    unsigned query = 0;
    SDL_GameController *controller = nullptr;
    SDL_Joystick *joystick = nullptr; // opened by itself only when not a controller
    bool rumble = false;              // takes SDL's two-motor rumble
    int motorEffect = -1;             // the effect a haptic-only device rumbles with
    bool hapticRumbleReady = false;
    std::vector<Upload> uploads;
    std::uint64_t useClock = 0;

    Device() = default;
    Device(const Device &) = delete;
    Device &operator=(const Device &) = delete;

    ~Device()
    {
        if (haptic) {
            for (const Upload &upload : uploads)
                SDL_HapticDestroyEffect(haptic, upload.id);
            if (motorEffect >= 0)
                SDL_HapticDestroyEffect(haptic, motorEffect);
            SDL_HapticClose(haptic);
        }
        if (controller)
            SDL_GameControllerClose(controller);
        else if (joystick)
            SDL_JoystickClose(joystick);
    }

    SDL_Joystick *stick() const
    {
        return controller ? SDL_GameControllerGetJoystick(controller) : joystick;
    }

    bool hasNative() const { return haptic && (query & kNativeTypes); }
};

void attachHaptic(Device &device, SDL_Haptic *haptic)
{
    device.haptic = haptic;
    device.query = SDL_HapticQuery(haptic);
    const bool motors = (device.query & (SDL_HAPTIC_LEFTRIGHT | SDL_HAPTIC_CONSTANT))
        || SDL_HapticRumbleSupported(haptic) == SDL_TRUE;
    if (device.hasNative())
        device.rank = Rank::Native;
    else if (!device.rumble && motors)
        device.rank = Rank::HapticRumble;
}

// Opens joystick index as a device that can play effects, or returns empty.
std::unique_ptr<Device> openJoystick(int index)
{
    auto device = std::make_unique<Device>();
    if (SDL_IsGameController(index)) {
        device->controller = SDL_GameControllerOpen(index);
        if (device->controller) {
            device->rumble = SDL_GameControllerHasRumble(device->controller) == SDL_TRUE;
            device->rank = Rank::Controller;
            device->name = QString::fromUtf8(SDL_GameControllerName(device->controller));
        }
    }
    if (!device->controller) {
        device->joystick = SDL_JoystickOpen(index);
        if (!device->joystick)
            return nullptr;
        device->rumble = SDL_JoystickHasRumble(device->joystick) == SDL_TRUE;
        device->rank = Rank::Joystick;
        device->name = QString::fromUtf8(SDL_JoystickName(device->joystick));
    }
    if (SDL_JoystickIsHaptic(device->stick()) == SDL_TRUE) {
        if (SDL_Haptic *haptic = SDL_HapticOpenFromJoystick(device->stick()))
            attachHaptic(*device, haptic);
    }
    if (!device->rumble && device->rank != Rank::Native && device->rank != Rank::HapticRumble)
        return nullptr;
    return device;
}

// Opens haptic index as a device that can play effects, or returns empty.
std::unique_ptr<Device> openHaptic(int index)
{
    SDL_Haptic *haptic = SDL_HapticOpen(index);
    if (!haptic)
        return nullptr;
    auto device = std::make_unique<Device>();
    device->rank = Rank::Joystick; // replaced below when it can play anything
    device->name = QString::fromUtf8(SDL_HapticName(index));
    attachHaptic(*device, haptic);
    if (device->rank != Rank::Native && device->rank != Rank::HapticRumble)
        return nullptr;
    return device;
}

struct Request
{
    std::shared_ptr<const LoadedEffects> effects;
    int index = 0;
};

} // namespace

class SdlHapticControl::Player
{
public:
    Player()
    {
        std::promise<bool> started;
        auto result = started.get_future();
        m_thread = std::thread([this, &started] { run(started); });
        m_ok = result.get();
    }

    ~Player()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    bool ok() const { return m_ok; }

    // Hands the effect to the playback thread; throws when no device is
    // there to play it (and asks the thread to look for one).
    void post(Request request)
    {
        std::unique_lock lock(m_mutex);
        const bool attached = m_hasDevice && (!m_watchedStick || SDL_JoystickGetAttached(m_watchedStick));
        if (!attached) {
            m_rescanWanted = true;
            lock.unlock();
            m_wake.notify_one();
            throw HapticError("no force-feedback device is attached");
        }
        m_request = std::move(request);
        m_busy = true;
        lock.unlock();
        m_wake.notify_one();
    }

    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_request.reset();
            m_stopWanted = true;
        }
        m_wake.notify_one();
    }

    bool waitUntilIdle(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        return m_idle.wait_for(lock, timeout, [this] { return !m_busy; });
    }

    // Runs work on the playback thread and waits for its result.
    template<typename Work>
    auto call(Work work) -> decltype(work())
    {
        using Result = decltype(work());
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
        auto result = task->get_future();
        {
            std::lock_guard lock(m_mutex);
            m_tasks.emplace_back([task] { (*task)(); });
        }
        m_wake.notify_one();
        return result.get();
    }

    // Playback-thread side of TouchSenseDeviceAttached.
    bool findDevice()
    {
        pump();
        if (!m_device)
            rescan();
        return m_device != nullptr;
    }

    std::vector<HapticDeviceInfo> listDevices();

private:
    void run(std::promise<bool> &started);
    bool initSdl();
    void pump();
    void rescan();
    void considerAdded(int index);
    void setDevice(std::unique_ptr<Device> device);
    void dropDevice();
    void begin(const Request &request);
    bool beginNative();
    void tick(Clock::time_point now);
    void endPlayback();
    bool sendMotors(MotorLevels levels, std::chrono::milliseconds hold);
    bool hapticMotors(double strong, double weak, std::chrono::milliseconds hold);

    // Shared with the caller's thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    bool m_quit = false;
    bool m_busy = false;
    bool m_stopWanted = false;
    bool m_rescanWanted = false;
    bool m_hasDevice = false;
    SDL_Joystick *m_watchedStick = nullptr;
    std::optional<Request> m_request;
    std::deque<std::function<void()>> m_tasks;

    // Playback thread only.
    std::thread m_thread;
    bool m_ok = false;
    std::vector<Uint32> m_subsystems;
    std::unique_ptr<Device> m_device;
    int m_hapticCount = 0;
    std::vector<int> m_added; // joysticks plugged in, by device index
    bool m_playing = false;
    bool m_native = false;
    int m_nativeId = -1;
    Request m_current;
    Effect m_effect;
    Clock::time_point m_start;
    Clock::time_point m_nextTick;
};

bool SdlHapticControl::Player::initSdl()
{
    // The game window has the focus, never SDL; and Ctrl+C must still end
    // the program rather than become an SDL quit event.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

    constexpr Uint32 all = SDL_INIT_JOYSTICK | SDL_INIT_HAPTIC | SDL_INIT_GAMECONTROLLER;
    if (SDL_InitSubSystem(all) == 0) {
        m_subsystems.push_back(all);
    } else {
        // Take what starts: rumble pads need no haptic subsystem, force-feedback
        // devices no game controllers.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
            m_subsystems.push_back(SDL_INIT_GAMECONTROLLER);
        else if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0)
            m_subsystems.push_back(SDL_INIT_JOYSTICK);
        if (SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0)
            m_subsystems.push_back(SDL_INIT_HAPTIC);
    }
    if (m_subsystems.empty())
        return false;

    // Only plugging and unplugging matters here; input events would pile up
    // in SDL's queue, which nobody else reads.
    for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN,
                        SDL_JOYBUTTONUP, SDL_JOYBATTERYUPDATED, SDL_CONTROLLERAXISMOTION,
                        SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP, SDL_CONTROLLERTOUCHPADDOWN,
                        SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP,
                        SDL_CONTROLLERSENSORUPDATE}) {
        SDL_EventState(type, SDL_IGNORE);
    }
    return true;
}

void SdlHapticControl::Player::run(std::promise<bool> &started)
{
    const bool ok = initSdl();
    // Best effort: the thread works for microseconds a tick, but a busy
    // machine must not make it late. Without the right to, it keeps its
    // ordinary priority.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    started.set_value(ok);
    if (!ok) {
        SDL_TLSCleanup();
        return;
    }

    rescan();

    std::unique_lock lock(m_mutex);
    while (true) {
        const auto wakeAt = m_playing ? m_nextTick : Clock::now() + kIdlePump;
        m_wake.wait_until(lock, wakeAt, [this] {
            return m_quit || m_request || m_stopWanted || m_rescanWanted || !m_tasks.empty();
        });
        if (m_quit)
            break;
        std::optional<Request> request = std::exchange(m_request, std::nullopt);
        const bool stopWanted = std::exchange(m_stopWanted, false);
        const bool rescanWanted = std::exchange(m_rescanWanted, false);
        std::deque<std::function<void()>> tasks = std::move(m_tasks);
        m_tasks.clear();
        lock.unlock();

        // A new effect goes out first: the player waits for it. An update goes
        // out before SDL is pumped, so a late wake-up refreshes the motors
        // rather than letting SDL stop them first.
        if (request)
            begin(*request);
        else if (stopWanted)
            endPlayback();
        else if (m_playing && Clock::now() >= m_nextTick)
            tick(Clock::now());
        for (auto &task : tasks)
            task();

        pump();
        // Joysticks announce themselves; haptic devices only show in the count.
        if (!m_device && (rescanWanted || (SDL_WasInit(SDL_INIT_HAPTIC) && SDL_NumHaptics() != m_hapticCount)))
            rescan();

        lock.lock();
        m_busy = m_playing || m_request.has_value();
        if (!m_busy)
            m_idle.notify_all();
    }
    lock.unlock();

    endPlayback();
    setDevice(nullptr);
    for (auto it = m_subsystems.rbegin(); it != m_subsystems.rend(); ++it)
        SDL_QuitSubSystem(*it);
    // SDL keeps per-thread data (its error text) for threads it did not start.
    SDL_TLSCleanup();
}

void SdlHapticControl::Player::pump()
{
    if (!SDL_WasInit(SDL_INIT_JOYSTICK))
        return;
    // Also lets SDL end rumble whose time is up, which some drivers need.
    SDL_JoystickUpdate();

    SDL_Event events[16];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE)) > 0) {
        for (int i = 0; i < count; ++i) {
            if (events[i].type == SDL_JOYDEVICEADDED)
                m_added.push_back(events[i].jdevice.which);
        }
    }

    if (m_device && m_device->stick() && !SDL_JoystickGetAttached(m_device->stick()))
        dropDevice();
    // A device is never switched under a playing effect; newcomers wait.
    if (!m_playing) {
        for (int index : std::exchange(m_added, {}))
            considerAdded(index);
    }
}

void SdlHapticControl::Player::rescan()
{
    std::unique_ptr<Device> best;
    auto consider = [&best](std::unique_ptr<Device> candidate) {
        if (candidate && (!best || candidate->rank < best->rank))
            best = std::move(candidate);
    };
    // Joysticks first: on a tie the one that can also report unplugging wins.
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            consider(openJoystick(i));
    }
    if (SDL_WasInit(SDL_INIT_HAPTIC)) {
        m_hapticCount = SDL_NumHaptics();
        for (int i = 0; i < m_hapticCount; ++i)
            consider(openHaptic(i));
    }
    setDevice(std::move(best));
}

void SdlHapticControl::Player::considerAdded(int index)
{
    if (!m_device) {
        rescan();
        return;
    }
    if (m_device->rank == Rank::Native)
        return;
    const SDL_JoystickID ours = m_device->stick() ? SDL_JoystickInstanceID(m_device->stick()) : -1;
    if (SDL_JoystickGetDeviceInstanceID(index) == ours)
        return;
    if (auto candidate = openJoystick(index); candidate && candidate->rank < m_device->rank)
        setDevice(std::move(candidate));
}

void SdlHapticControl::Player::setDevice(std::unique_ptr<Device> device)
{
    SDL_Joystick *stick = device ? device->stick() : nullptr;
    {
        std::lock_guard lock(m_mutex);
        m_hasDevice = device != nullptr;
        m_watchedStick = stick;
    }
    // The old device closes here, after the caller's thread stopped looking at it.
    m_device = std::move(device);
}

void SdlHapticControl::Player::dropDevice()
{
    m_playing = false;
    m_native = false;
    setDevice(nullptr);
}

void SdlHapticControl::Player::begin(const Request &request)
{
    // A rendered effect is replaced by the next one's first update without a
    // gap; only a native one must be stopped first.
    const bool motorsRunning = m_playing && !m_native;
    if (m_playing && m_native)
        endPlayback();
    m_playing = false;
    if (!m_device)
        return;
    m_current = request;
    m_effect = request.effects->effects.at(std::size_t(request.index));
    m_start = Clock::now();
    m_playing = true;
    m_native = beginNative();
    if (m_native) {
        if (motorsRunning)
            sendMotors({}, std::chrono::milliseconds(0));
        m_nextTick = std::min(m_start + std::chrono::milliseconds(effectLengthMs(m_effect)), m_start + kIdlePump);
    } else {
        tick(m_start);
    }
}

// Plays the effect on the device itself when it says it can. Devices claim
// effects they do not play, so every step is checked; false means render it.
bool SdlHapticControl::Player::beginNative()
{
    Device &device = *m_device;
    if (!device.haptic || !(device.query & sdlHapticType(m_effect)))
        return false;
    std::optional<SDL_HapticEffect> native = toSdlHapticEffect(m_effect);
    if (!native)
        return false;

    ++device.useClock;
    auto upload = std::find_if(device.uploads.begin(), device.uploads.end(), [&](const Device::Upload &u) {
        return u.handle == m_current.effects->handle && u.index == m_current.index;
    });
    if (upload == device.uploads.end()) {
        int id = SDL_HapticNewEffect(device.haptic, &*native);
        // A device holds few effects: make room from the least used.
        while (id < 0 && !device.uploads.empty()) {
            auto oldest = std::min_element(device.uploads.begin(), device.uploads.end(),
                                           [](const auto &a, const auto &b) { return a.lastUse < b.lastUse; });
            SDL_HapticDestroyEffect(device.haptic, oldest->id);
            device.uploads.erase(oldest);
            id = SDL_HapticNewEffect(device.haptic, &*native);
        }
        if (id < 0)
            return false;
        device.uploads.push_back({m_current.effects->handle, m_current.index, id, 0});
        upload = device.uploads.end() - 1;
    }
    upload->lastUse = device.useClock;
    if (SDL_HapticRunEffect(device.haptic, upload->id, 1) != 0) {
        SDL_HapticDestroyEffect(device.haptic, upload->id);
        device.uploads.erase(upload);
        return false;
    }
    m_nativeId = upload->id;
    return true;
}

void SdlHapticControl::Player::tick(Clock::time_point now)
{
    const double t = msSince(m_start, now);
    const int length = effectLengthMs(m_effect);
    const auto end = m_start + std::chrono::milliseconds(length);
    if (m_native) {
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
    if (!sendMotors(motorLevelsAt(m_effect, t), kRumbleHold)) {
        // A failed command means the device is gone or never rumbled.
        dropDevice();
        return;
    }
    // Stay on the effect's own schedule so a late tick doesn't shift the rest.
    const auto period = std::chrono::duration_cast<Clock::duration>(kUpdatePeriod);
    const auto elapsed = now - m_start;
    m_nextTick = std::min(end, m_start + (elapsed / period + 1) * period);
}

// Stops the effect that plays, if any: the motors get an explicit zero.
void SdlHapticControl::Player::endPlayback()
{
    if (!m_playing)
        return;
    m_playing = false;
    if (!m_device)
        return;
    if (m_native) {
        SDL_HapticStopEffect(m_device->haptic, m_nativeId);
        m_native = false;
    } else {
        sendMotors({}, std::chrono::milliseconds(0));
    }
}

bool SdlHapticControl::Player::sendMotors(MotorLevels levels, std::chrono::milliseconds hold)
{
    Device &device = *m_device;
    const Uint16 strong = motorWord(levels.strong);
    const Uint16 weak = motorWord(levels.weak);
    const auto holdMs = Uint32(hold.count());
    if (device.rumble && device.controller)
        return SDL_GameControllerRumble(device.controller, strong, weak, holdMs) == 0;
    if (device.rumble && device.joystick)
        return SDL_JoystickRumble(device.joystick, strong, weak, holdMs) == 0;
    if (device.haptic)
        return hapticMotors(levels.strong, levels.weak, hold);
    return false;
}

// Rumble on a device that only has SDL's haptic API: a two-motor effect where
// it has one, else SDL's simple rumble, else a constant force.
bool SdlHapticControl::Player::hapticMotors(double strong, double weak, std::chrono::milliseconds hold)
{
    Device &device = *m_device;
    SDL_Haptic *haptic = device.haptic;
    const bool silent = strong <= 0.0 && weak <= 0.0;

    if (!(device.query & SDL_HAPTIC_LEFTRIGHT) && SDL_HapticRumbleSupported(haptic) == SDL_TRUE) {
        if (!device.hapticRumbleReady) {
            if (SDL_HapticRumbleInit(haptic) != 0)
                return false;
            device.hapticRumbleReady = true;
        }
        if (silent)
            return SDL_HapticRumbleStop(haptic) == 0;
        return SDL_HapticRumblePlay(haptic, float(std::max(strong, weak)), Uint32(hold.count())) == 0;
    }

    SDL_HapticEffect effect{};
    if (device.query & SDL_HAPTIC_LEFTRIGHT) {
        effect.type = SDL_HAPTIC_LEFTRIGHT;
        effect.leftright.type = effect.type;
        effect.leftright.length = Uint32(hold.count());
        effect.leftright.large_magnitude = motorWord(strong);
        effect.leftright.small_magnitude = motorWord(weak);
    } else if (device.query & SDL_HAPTIC_CONSTANT) {
        effect.type = SDL_HAPTIC_CONSTANT;
        effect.constant.type = effect.type;
        effect.constant.direction.type = SDL_HAPTIC_POLAR;
        effect.constant.length = Uint32(hold.count());
        effect.constant.level = Sint16(std::lround(std::clamp(std::max(strong, weak), 0.0, 1.0) * 32767.0));
    } else {
        return false;
    }
    if (silent)
        return device.motorEffect < 0 || SDL_HapticStopEffect(haptic, device.motorEffect) == 0;
    if (device.motorEffect < 0) {
        device.motorEffect = SDL_HapticNewEffect(haptic, &effect);
        if (device.motorEffect < 0)
            return false;
    } else if (SDL_HapticUpdateEffect(haptic, device.motorEffect, &effect) != 0) {
        return false;
    }
    return SDL_HapticRunEffect(haptic, device.motorEffect, 1) == 0;
}

std::vector<HapticDeviceInfo> SdlHapticControl::Player::listDevices()
{
    pump();
    if (!m_device)
        rescan();
    std::vector<HapticDeviceInfo> out;
    const SDL_Joystick *ourStick = m_device ? m_device->stick() : nullptr;
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            HapticDeviceInfo info;
            info.kind = SDL_IsGameController(i) ? QStringLiteral("game controller") : QStringLiteral("joystick");
            info.name = QString::fromUtf8(SDL_JoystickNameForIndex(i));
            if (auto device = openJoystick(i)) {
                info.rumble = device->rumble;
                info.nativeTypes = typeNames(device->query & (kNativeTypes | SDL_HAPTIC_LEFTRIGHT));
                info.inUse = ourStick && device->stick() == ourStick;
            }
            out.push_back(info);
        }
    }
    if (SDL_WasInit(SDL_INIT_HAPTIC)) {
        for (int i = 0; i < SDL_NumHaptics(); ++i) {
            HapticDeviceInfo info;
            info.kind = QStringLiteral("haptic");
            info.name = QString::fromUtf8(SDL_HapticName(i));
            if (SDL_Haptic *haptic = SDL_HapticOpen(i)) {
                info.nativeTypes = typeNames(SDL_HapticQuery(haptic) & (kNativeTypes | SDL_HAPTIC_LEFTRIGHT));
                info.inUse = m_device && !ourStick && m_device->haptic == haptic;
                SDL_HapticClose(haptic);
            }
            out.push_back(info);
        }
    }
    return out;
}

std::unique_ptr<SdlHapticControl> SdlHapticControl::create()
{
    auto player = std::make_unique<Player>();
    if (!player->ok())
        return nullptr;
    return std::unique_ptr<SdlHapticControl>(new SdlHapticControl(std::move(player)));
}

SdlHapticControl::SdlHapticControl(std::unique_ptr<Player> player)
    : m_player(std::move(player))
{
}

SdlHapticControl::~SdlHapticControl() = default;

bool SdlHapticControl::TouchSenseDeviceAttached()
{
    return m_player->call([this] { return m_player->findDevice(); });
}

std::int32_t SdlHapticControl::OpenForceResource(const QString &path)
{
    return m_library.open(path);
}

std::int32_t SdlHapticControl::GetNumberOfEffects(std::int32_t handle)
{
    const auto effects = m_library.find(handle);
    if (!effects)
        throw HapticError("unknown effect resource");
    return std::int32_t(effects->effects.size());
}

QString SdlHapticControl::GetNameOfEffect(std::int16_t index, std::int32_t handle)
{
    const auto effects = m_library.find(handle);
    if (!effects)
        throw HapticError("unknown effect resource");
    if (index < 0 || std::size_t(index) >= effects->effects.size())
        throw HapticError("effect index out of range");
    return effects->effects[std::size_t(index)].name;
}

void SdlHapticControl::StartEffect(const QString &name, std::int32_t handle)
{
    auto effects = m_library.find(handle);
    if (!effects)
        throw HapticError("unknown effect resource");
    const int index = effects->indexOf(name);
    if (index < 0)
        throw HapticError("no effect of that name");
    m_player->post({std::move(effects), index});
}

std::vector<HapticDeviceInfo> SdlHapticControl::devices()
{
    return m_player->call([this] { return m_player->listDevices(); });
}

bool SdlHapticControl::waitUntilIdle(std::chrono::milliseconds timeout)
{
    return m_player->waitUntilIdle(timeout);
}

void SdlHapticControl::stop()
{
    m_player->stop();
}

} // namespace pelnori
