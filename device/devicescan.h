// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/hapticdeviceinfo.h"
#include "device/sdldevice.h"

#include <QString>

#include <SDL.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pelnori {

// One device in SDL's lists at the moment of a walk.
struct ListedDevice
{
    enum class List { Joystick, Haptic };

    List list = List::Joystick;
    int index = 0;                // valid only during the walk
    SDL_JoystickID instance = -1; // joysticks only: the name that stays valid
    bool controller = false;
    QString name;
    // Joysticks only: what names this device in every run (SDL's GUID and
    // the name), so that a player's choice of device can be kept.
    QString id;

    // Opens it as a device that can play effects; empty when it cannot.
    std::unique_ptr<SdlDevice> open() const;
};

// Calls visit for every joystick, then every haptic device, SDL lists. The
// walk holds SDL's joystick lock, so a device plugged in or out by another
// thread cannot shift the indexes under it; visit may open devices.
void walkDevices(const std::function<void(const ListedDevice &)> &visit);

// Of the devices that can play effects, the best: one that plays effects by
// itself, then a game controller with rumble, then a joystick with rumble,
// then a haptic device that only rumbles; among equals the first listed.
// Only devices for which accept is true are looked at.
std::unique_ptr<SdlDevice> chooseDevice(const std::function<bool(const ListedDevice &)> &accept);

// The joysticks and game controllers attached, as (id, name) in SDL's order.
std::vector<std::pair<QString, QString>> listControllers();

// Every device SDL lists, with what each plays and whether it is current.
std::vector<HapticDeviceInfo> describeDevices(const SdlDevice *current);

} // namespace pelnori
