// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdldevice.h"

#include "device/hapticslog.h"

namespace pelnori {

namespace {

void attachHaptic(SdlDevice &device, SDL_Haptic *haptic)
{
    device.haptic = haptic;
    device.query = SDL_HapticQuery(haptic);
    const bool motors = (device.query & (SDL_HAPTIC_LEFTRIGHT | SDL_HAPTIC_CONSTANT))
        || SDL_HapticRumbleSupported(haptic) == SDL_TRUE;
    if (device.hasNative())
        device.rank = DeviceRank::Native;
    else if (!device.rumble && motors)
        device.rank = DeviceRank::HapticRumble;
}

void chooseMotors(SdlDevice &device)
{
    const bool simpleRumble = device.haptic && SDL_HapticRumbleSupported(device.haptic) == SDL_TRUE;
    device.motors = motorRoute(device.haptic != nullptr, device.query, simpleRumble, device.rumble);
}

bool canPlay(const SdlDevice &device)
{
    return device.rumble || device.rank == DeviceRank::Native || device.rank == DeviceRank::HapticRumble;
}

} // namespace

const char *rankReason(DeviceRank rank)
{
    switch (rank) {
    case DeviceRank::Native: return "it plays effects by itself";
    case DeviceRank::Controller: return "a game controller with rumble";
    case DeviceRank::Joystick: return "a joystick with rumble";
    case DeviceRank::HapticRumble: return "a haptic device that rumbles";
    }
    return "";
}

SdlDevice::~SdlDevice()
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

SDL_Joystick *SdlDevice::stick() const
{
    return controller ? SDL_GameControllerGetJoystick(controller) : joystick;
}

std::unique_ptr<SdlDevice> openJoystickDevice(int index)
{
    auto device = std::make_unique<SdlDevice>();
    if (SDL_IsGameController(index)) {
        device->controller = SDL_GameControllerOpen(index);
        if (device->controller) {
            device->rumble = SDL_GameControllerHasRumble(device->controller) == SDL_TRUE;
            device->rank = DeviceRank::Controller;
            device->name = QString::fromUtf8(SDL_GameControllerName(device->controller));
        } else {
            logSdlFailure("SDL_GameControllerOpen");
        }
    }
    if (!device->controller) {
        device->joystick = SDL_JoystickOpen(index);
        if (!device->joystick) {
            logSdlFailure("SDL_JoystickOpen");
            return nullptr;
        }
        device->rumble = SDL_JoystickHasRumble(device->joystick) == SDL_TRUE;
        device->rank = DeviceRank::Joystick;
        device->name = QString::fromUtf8(SDL_JoystickName(device->joystick));
    }
    device->instance = SDL_JoystickInstanceID(device->stick());
    if (SDL_JoystickIsHaptic(device->stick()) == SDL_TRUE) {
        if (SDL_Haptic *haptic = SDL_HapticOpenFromJoystick(device->stick()))
            attachHaptic(*device, haptic);
        else
            logSdlFailure("SDL_HapticOpenFromJoystick");
    }
    chooseMotors(*device);
    if (!canPlay(*device)) {
        HAPTICS_INFO << "skipped" << device->name << "- it has no rumble or force feedback";
        return nullptr;
    }
    return device;
}

std::unique_ptr<SdlDevice> openHapticDevice(int index)
{
    SDL_Haptic *haptic = SDL_HapticOpen(index);
    if (!haptic) {
        logSdlFailure("SDL_HapticOpen");
        return nullptr;
    }
    auto device = std::make_unique<SdlDevice>();
    device->rank = DeviceRank::Joystick; // replaced below when it can play anything
    device->name = QString::fromUtf8(SDL_HapticName(index));
    attachHaptic(*device, haptic);
    chooseMotors(*device);
    if (!canPlay(*device)) {
        HAPTICS_INFO << "skipped" << device->name << "- it plays no effect the game uses";
        return nullptr;
    }
    return device;
}

} // namespace pelnori
