// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/sdldevice.h"

#include <QString>

#include <SDL.h>

#include <functional>
#include <memory>
#include <vector>

namespace pelnori {

// Which device plays: found at the first look, followed while it stays
// plugged in, and replaced by a better one plugged in later, but never under
// a playing effect. Playback thread only.
class DeviceWatch
{
public:
    // changed is called whenever the device in use changes, to none included.
    explicit DeviceWatch(std::function<void()> changed);

    SdlDevice *device() const { return m_device.get(); }

    // The device the player chose (ListedDevice::id), taken over the usual
    // order whenever it is attached; empty for the usual order. Looks again,
    // once no effect plays.
    void setPreferred(const QString &id, bool playing);
    // The joystick that plays for the player whose turn it is, over any
    // preference; -1 for none. Looks again: no effect may be playing.
    void setTarget(SDL_JoystickID instance);
    SDL_JoystickID target() const { return m_target; }

    // Looks at every device SDL lists and takes the best.
    void rescan();
    // SDL announced a joystick: the next look weighs it.
    void joystickAdded() { m_newcomers = true; }
    // After SDL was pumped: lets go of a device that was unplugged, weighs
    // newcomers unless an effect plays, and looks again while none is known
    // and SDL counts another haptic device.
    void afterPump(bool playing);
    // Lets go of the device, as when it refuses a command.
    void drop();

private:
    void considerNewcomers();
    void set(std::unique_ptr<SdlDevice> device);

    std::function<void()> m_changed;
    std::unique_ptr<SdlDevice> m_device;
    std::vector<SDL_JoystickID> m_known; // joysticks seen at the last look
    bool m_newcomers = false;            // SDL announced a joystick since
    int m_hapticCount = 0;
    QString m_preferred;
    bool m_onPreferred = false; // the device in use is the preferred one
    bool m_lookAgain = false;   // the preference changed while an effect played
    SDL_JoystickID m_target = -1;
};

} // namespace pelnori
