// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"
#include "effects/effectrenderer.h"
#include "device/sdldevice.h"

#include <chrono>
#include <cstdint>

namespace pelnori {

// Sends two motor levels to the device, held for hold (0 stops the motors);
// false when the device refused, which means it is gone or never rumbled.
bool sendMotors(SdlDevice &device, MotorLevels levels, std::chrono::milliseconds hold);

// Starts the effect (key names it) on the device's own effect engine,
// uploading it first when it is not there yet (making room from the least used upload); the
// effect's id on the device, or -1 when the device cannot play it itself and
// it must be rendered into motor levels instead. Devices claim effects they
// do not play, so every step is checked.
int startNative(SdlDevice &device, const Effect &effect, SdlDevice::EffectKey key);

// Stops an effect that startNative started.
void stopNative(SdlDevice &device, int id);

} // namespace pelnori
