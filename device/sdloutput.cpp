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

// Rumble on a device that only has SDL's haptic API: a two-motor effect where
// it has one, else SDL's simple rumble, else a constant force.
bool hapticMotors(SdlDevice &device, double strong, double weak, std::chrono::milliseconds hold)
{
    SDL_Haptic *haptic = device.haptic;
    const bool silent = strong <= 0.0 && weak <= 0.0;

    if (!(device.query & SDL_HAPTIC_LEFTRIGHT) && SDL_HapticRumbleSupported(haptic) == SDL_TRUE) {
        if (!device.hapticRumbleReady) {
            if (!ok(SDL_HapticRumbleInit(haptic), "SDL_HapticRumbleInit"))
                return false;
            device.hapticRumbleReady = true;
        }
        if (silent)
            return ok(SDL_HapticRumbleStop(haptic), "SDL_HapticRumbleStop");
        return ok(SDL_HapticRumblePlay(haptic, float(std::max(strong, weak)), Uint32(hold.count())),
                  "SDL_HapticRumblePlay");
    }

    SDL_HapticEffect effect{};
    if (device.query & SDL_HAPTIC_LEFTRIGHT) {
        effect.type = SDL_HAPTIC_LEFTRIGHT;
        effect.leftright.type = effect.type;
        effect.leftright.length = Uint32(hold.count());
        effect.leftright.large_magnitude = sdlMotorWord(strong);
        effect.leftright.small_magnitude = sdlMotorWord(weak);
    } else if (device.query & SDL_HAPTIC_CONSTANT) {
        effect.type = SDL_HAPTIC_CONSTANT;
        effect.constant.type = effect.type;
        effect.constant.direction.type = SDL_HAPTIC_POLAR;
        effect.constant.length = Uint32(hold.count());
        effect.constant.level = sdlForceLevel(std::max(strong, weak));
    } else {
        return false;
    }
    if (silent)
        return device.motorEffect < 0 || ok(SDL_HapticStopEffect(haptic, device.motorEffect), "SDL_HapticStopEffect");
    if (device.motorEffect < 0) {
        device.motorEffect = SDL_HapticNewEffect(haptic, &effect);
        if (device.motorEffect < 0) {
            logSdlFailure("SDL_HapticNewEffect");
            return false;
        }
    } else if (!ok(SDL_HapticUpdateEffect(haptic, device.motorEffect, &effect), "SDL_HapticUpdateEffect")) {
        return false;
    }
    return ok(SDL_HapticRunEffect(haptic, device.motorEffect, 1), "SDL_HapticRunEffect");
}

} // namespace

bool sendMotors(SdlDevice &device, MotorLevels levels, std::chrono::milliseconds hold)
{
    const Uint16 strong = sdlMotorWord(levels.strong);
    const Uint16 weak = sdlMotorWord(levels.weak);
    const auto holdMs = Uint32(hold.count());
    if (device.rumble && device.controller)
        return ok(SDL_GameControllerRumble(device.controller, strong, weak, holdMs), "SDL_GameControllerRumble");
    if (device.rumble && device.joystick)
        return ok(SDL_JoystickRumble(device.joystick, strong, weak, holdMs), "SDL_JoystickRumble");
    if (device.haptic)
        return hapticMotors(device, levels.strong, levels.weak, hold);
    return false;
}

int startNative(SdlDevice &device, const Effect &effect, std::int32_t handle, int index)
{
    if (!device.haptic || !(device.query & sdlHapticType(effect)))
        return -1;
    std::optional<SDL_HapticEffect> native = toSdlHapticEffect(effect);
    if (!native)
        return -1;

    ++device.useClock;
    auto upload = std::find_if(device.uploads.begin(), device.uploads.end(),
                               [&](const SdlDevice::Upload &u) { return u.handle == handle && u.index == index; });
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
        device.uploads.push_back({handle, index, id, 0});
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
