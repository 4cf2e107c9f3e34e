// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"
#include "input/padmapping.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace pelnori {

class PadRelay;
class SdlHapticControl;

// What the settings ask of the controllers' owner. Each may be empty (no
// controller layer, as in tests): the dialog then offers only what it can.
struct ControllerHooks
{
    // The controllers attached, as (id, name); empty when none or no answer.
    std::function<std::vector<std::pair<QString, QString>>()> list;
    // Each button pressed from now on goes to sink by SDL's name for it, and
    // does nothing else; an empty sink ends that.
    std::function<void(std::function<void(const QString &button)> sink)> capture;
    // The buttons, dead zone, device and players' controllers, at once.
    std::function<void(const Settings &settings)> apply;
};

// The buttons and dead zone of settings, as the pad layer takes them.
PadMapping padMappingOf(const Settings &settings);

// The hooks over the control and the relay, which must outlive their use.
ControllerHooks controllerHooks(SdlHapticControl &control, PadRelay &relay);

} // namespace pelnori
