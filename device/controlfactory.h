// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"
#include "device/controloptions.h"

#include <QString>

#include <memory>

namespace pelnori {

// Creates the control registered under progId; empty when there is no such
// control or it cannot be created on this machine.
std::unique_ptr<HapticInterface> createHapticControl(const QString &progId);

// A factory like createHapticControl whose control is made with options.
HapticFactory hapticControlFactory(ControlOptions options);

} // namespace pelnori
