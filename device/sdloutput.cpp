// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdloutput.h"

#include "device/hapticslog.h"
#include "device/sdleffect.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace pelnori {

namespace {

// False with the failure logged when an SDL call returned an error.
bool ok(int result, const char *call)
{
    if (result == 0)
        return true;
    logSdlFailure(call);
    return false;
}

// Whether the level must go out: it changed, or the device's hold of the
// same level ends within the next half of it.
bool renew(SdlDevice &device, Uint16 strong, Uint16 weak, std::chrono::milliseconds hold)
{
    const auto now = std::chrono::steady_clock::now();
    if (device.motorWords[0] == strong && device.motorWords[1] == weak && now < device.motorsSentAt + hold / 2)
        return false;
    device.motorWords[0] = strong;
    device.motorWords[1] = weak;
    device.motorsSentAt = now;
    return true;
}

// The level as SDL's simple haptic rumble of length hold.
bool hapticRumble(SdlDevice &device, double strong, double weak, std::chrono::milliseconds hold)
{
    if (!device.hapticRumbleReady) {
        if (!ok(SDL_HapticRumbleInit(device.haptic), "SDL_HapticRumbleInit"))
            return false;
        device.hapticRumbleReady = true;
    }
    if (strong <= 0.0 && weak <= 0.0)
        return ok(SDL_HapticRumbleStop(device.haptic), "SDL_HapticRumbleStop");
    return ok(SDL_HapticRumblePlay(device.haptic, float(std::max(strong, weak)), Uint32(hold.count())),
              "SDL_HapticRumblePlay");
}

// The level as a haptic effect of length hold, kept on the device and
// changed in place.
bool hapticEffect(SdlDevice &device, double strong, double weak, std::chrono::milliseconds hold)
{
    SDL_Haptic *haptic = device.haptic;
    if (strong <= 0.0 && weak <= 0.0)
        return device.motorEffect < 0 || ok(SDL_HapticStopEffect(haptic, device.motorEffect), "SDL_HapticStopEffect");
    std::optional<SDL_HapticEffect> effect = sdlMotorEffect(strong, weak, device.query, Uint32(hold.count()));
    if (!effect)
        return false;
    if (device.motorEffect < 0) {
        device.motorEffect = SDL_HapticNewEffect(haptic, &*effect);
        if (device.motorEffect < 0) {
            logSdlFailure("SDL_HapticNewEffect");
            return false;
        }
    } else if (!ok(SDL_HapticUpdateEffect(haptic, device.motorEffect, &*effect), "SDL_HapticUpdateEffect")) {
        return false;
    }
    return ok(SDL_HapticRunEffect(haptic, device.motorEffect, 1), "SDL_HapticRunEffect");
}

} // namespace

bool sendMotors(SdlDevice &device, MotorLevels levels, std::chrono::milliseconds hold)
{
    const Uint16 strong = sdlMotorWord(levels.strong);
    const Uint16 weak = sdlMotorWord(levels.weak);
    switch (device.motors) {
    case MotorRoute::None:
        return false;
    case MotorRoute::SdlRumble:
        // SDL passes on only changes, and ends the level at a pump of ours.
        if (device.controller)
            return ok(SDL_GameControllerRumble(device.controller, strong, weak, Uint32(hold.count())),
                      "SDL_GameControllerRumble");
        return ok(SDL_JoystickRumble(device.joystick, strong, weak, Uint32(hold.count())), "SDL_JoystickRumble");
    case MotorRoute::HapticRumble:
        return !renew(device, strong, weak, hold) || hapticRumble(device, levels.strong, levels.weak, hold);
    case MotorRoute::HapticEffect:
        return !renew(device, strong, weak, hold) || hapticEffect(device, levels.strong, levels.weak, hold);
    }
    return false;
}

int startNative(SdlDevice &device, const Effect &effect, SdlDevice::EffectKey key)
{
    if (!device.haptic || !(device.query & sdlHapticType(effect)))
        return -1;
    std::optional<SDL_HapticEffect> native = toSdlHapticEffect(effect);
    if (!native)
        return -1;

    ++device.useClock;
    auto upload = std::find_if(device.uploads.begin(), device.uploads.end(),
                               [&](const SdlDevice::Upload &u) { return u.key == key; });
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
        if (id < 0) {
            logSdlFailure("SDL_HapticNewEffect");
            return -1;
        }
        device.uploads.push_back({key, id, 0});
        upload = device.uploads.end() - 1;
    }
    upload->lastUse = device.useClock;
    if (!ok(SDL_HapticRunEffect(device.haptic, upload->id, 1), "SDL_HapticRunEffect")) {
        SDL_HapticDestroyEffect(device.haptic, upload->id);
        device.uploads.erase(upload);
        return -1;
    }
    return upload->id;
}

void stopNative(SdlDevice &device, int id)
{
    if (device.haptic)
        ok(SDL_HapticStopEffect(device.haptic, id), "SDL_HapticStopEffect");
}

} // namespace pelnori
