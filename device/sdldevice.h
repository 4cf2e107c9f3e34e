// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/sdleffect.h"

#include <QString>

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace pelnori {

// Effect types that make a device worth more than a rumble pad.
inline constexpr unsigned kNativeTypes = SDL_HAPTIC_CONSTANT | SDL_HAPTIC_SINE | SDL_HAPTIC_TRIANGLE
    | SDL_HAPTIC_SAWTOOTHUP | SDL_HAPTIC_SAWTOOTHDOWN | SDL_HAPTIC_RAMP;

// Preference among devices, best first.
enum class DeviceRank { Native, Controller, Joystick, HapticRumble };

// Why a device of this rank is worth playing on, for the log.
const char *rankReason(DeviceRank rank);

// One opened device that can play effects. Closed, with the effects uploaded
// to it, when destroyed. Playback thread only, like every SDL call.
struct SdlDevice
{
    // Which effect of which file, at which strength.
    struct EffectKey
    {
        std::int32_t handle = 0;
        int index = 0;
        int strength = 100;

        bool operator==(const EffectKey &) const = default;
    };
    // An effect uploaded to the device's own effect engine.
    struct Upload
    {
        EffectKey key;
        int id = -1;
        std::uint64_t lastUse = 0;
    };

    DeviceRank rank = DeviceRank::Joystick;
    QString name;
    SDL_JoystickID instance = -1; // -1 for a haptic device that is no joystick
    SDL_Haptic *haptic = nullptr;
    unsigned query = 0;
    SDL_GameController *controller = nullptr;
    SDL_Joystick *joystick = nullptr; // opened by itself only when not a controller
    bool rumble = false;              // takes SDL's two-motor rumble
    MotorRoute motors = MotorRoute::None;
    int motorEffect = -1;             // the haptic effect the motor levels go as
    bool hapticRumbleReady = false;
    // The motor level the device holds and when it was sent: an unchanged
    // level is sent again only before the device's hold ends.
    Uint16 motorWords[2] = {0, 0};
    std::chrono::steady_clock::time_point motorsSentAt;
    std::vector<Upload> uploads;
    std::uint64_t useClock = 0;

    SdlDevice() = default;
    SdlDevice(const SdlDevice &) = delete;
    SdlDevice &operator=(const SdlDevice &) = delete;
    ~SdlDevice();

    SDL_Joystick *stick() const;
    bool hasNative() const { return haptic && (query & kNativeTypes); }
};

// Opens joystick index as a device that can play effects; empty when it
// cannot. Called under SDL's joystick lock, so the index stays valid.
std::unique_ptr<SdlDevice> openJoystickDevice(int index);

// Opens haptic device index as a device that can play effects; empty when it
// cannot.
std::unique_ptr<SdlDevice> openHapticDevice(int index);

} // namespace pelnori
