// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicescan.h"

#include "device/hapticslog.h"

#include <utility>

namespace pelnori {

namespace {

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

// SDL's joystick lock for one walk.
class JoystickLock
{
public:
    JoystickLock() { SDL_LockJoysticks(); }
    ~JoystickLock() { SDL_UnlockJoysticks(); }
    JoystickLock(const JoystickLock &) = delete;
    JoystickLock &operator=(const JoystickLock &) = delete;
};

} // namespace

std::unique_ptr<SdlDevice> ListedDevice::open() const
{
    return list == List::Joystick ? openJoystickDevice(index) : openHapticDevice(index);
}

void walkDevices(const std::function<void(const ListedDevice &)> &visit)
{
    const JoystickLock lock;
    // Joysticks first: on a tie the one that can also report unplugging wins.
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) {
        const int count = SDL_NumJoysticks();
        // Opening a device can block in its driver: a thread left behind
        // meanwhile opens no other.
        for (int i = 0; i < count && !threadLeftBehind(); ++i) {
            ListedDevice device;
            device.index = i;
            device.instance = SDL_JoystickGetDeviceInstanceID(i);
            device.controller = SDL_IsGameController(i) == SDL_TRUE;
            device.name = QString::fromUtf8(SDL_JoystickNameForIndex(i));
            char guid[33] = {};
            SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(i), guid, sizeof guid);
            device.id = QString::fromLatin1(guid) + u' ' + device.name;
            visit(device);
        }
    }
    if (SDL_WasInit(SDL_INIT_HAPTIC)) {
        const int count = SDL_NumHaptics();
        for (int i = 0; i < count && !threadLeftBehind(); ++i) {
            ListedDevice device;
            device.list = ListedDevice::List::Haptic;
            device.index = i;
            device.name = QString::fromUtf8(SDL_HapticName(i));
            visit(device);
        }
    }
}

std::unique_ptr<SdlDevice> chooseDevice(const std::function<bool(const ListedDevice &)> &accept)
{
    std::unique_ptr<SdlDevice> best;
    walkDevices([&](const ListedDevice &listed) {
        if (!accept(listed))
            return;
        auto candidate = listed.open();
        if (!candidate)
            return;
        HAPTICS_INFO << "found" << candidate->name << "-" << rankReason(candidate->rank);
        if (!best || candidate->rank < best->rank)
            best = std::move(candidate);
    });
    return best;
}

std::vector<std::pair<QString, QString>> listControllers()
{
    std::vector<std::pair<QString, QString>> out;
    walkDevices([&](const ListedDevice &listed) {
        if (listed.list == ListedDevice::List::Joystick)
            out.emplace_back(listed.id, listed.name);
    });
    return out;
}

std::vector<HapticDeviceInfo> describeDevices(const SdlDevice *current)
{
    std::vector<HapticDeviceInfo> out;
    walkDevices([&](const ListedDevice &listed) {
        HapticDeviceInfo info;
        info.name = listed.name;
        if (listed.list == ListedDevice::List::Haptic) {
            info.kind = QStringLiteral("haptic");
            // Opened only to ask; SDL hands out the open device again when it is ours.
            if (SDL_Haptic *haptic = SDL_HapticOpen(listed.index)) {
                info.nativeTypes = typeNames(SDL_HapticQuery(haptic) & (kNativeTypes | SDL_HAPTIC_LEFTRIGHT));
                info.inUse = current && current->instance < 0 && current->haptic == haptic;
                SDL_HapticClose(haptic);
            }
        } else {
            info.kind = listed.controller ? QStringLiteral("game controller") : QStringLiteral("joystick");
            if (auto device = listed.open()) {
                info.rumble = device->rumble;
                info.nativeTypes = typeNames(device->query & (kNativeTypes | SDL_HAPTIC_LEFTRIGHT));
            }
            info.inUse = current && current->instance == listed.instance;
        }
        out.push_back(info);
    });
    return out;
}

} // namespace pelnori
