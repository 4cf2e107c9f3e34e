// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace pelnori {

// One force-feedback device as SDL sees it, for people choosing a device.
struct HapticDeviceInfo
{
    QString name;
    QString kind;            // "haptic", "game controller" or "joystick"
    QStringList nativeTypes; // effect types the device plays by itself
    bool rumble = false;     // takes two-motor rumble commands
    bool inUse = false;      // the device the control plays on
};

} // namespace pelnori
