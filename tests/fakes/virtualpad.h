// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <SDL.h>

#include <chrono>
#include <mutex>
#include <utility>
#include <vector>

namespace pelnori::test {

using Clock = std::chrono::steady_clock;

// Starts SDL's joystick support for virtual pads alone: no HID access, no
// udev. It stays up for the whole test, so pads can come and go between
// controls. False when it does not start.
inline bool startVirtualPadSupport()
{
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    SDL_SetHint(SDL_HINT_JOYSTICK_RAWINPUT, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    qputenv("SDL_JOYSTICK_DISABLE_UDEV", "1");
    return SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0;
}

struct RumbleCommand
{
    Clock::time_point at;
    Uint16 low = 0;
    Uint16 high = 0;
};

// An SDL virtual game controller. SDL passes on only rumble values that
// change, so the record holds changes, not every update.
class VirtualPad
{
public:
    // A game controller, or a plain joystick (flight stick) when not.
    explicit VirtualPad(bool rumble = true, bool controller = true)
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_FLIGHT_STICK;
        desc.naxes = controller ? SDL_CONTROLLER_AXIS_MAX : 2;
        desc.nbuttons = controller ? SDL_CONTROLLER_BUTTON_MAX : 4;
        desc.name = controller ? "Pelnori test pad" : "Pelnori test stick";
        desc.userdata = this;
        desc.Rumble = rumble ? &VirtualPad::onRumble : nullptr;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0)
            m_instance = SDL_JoystickGetDeviceInstanceID(index);
    }

    ~VirtualPad() { unplug(); }

    bool attached() const { return m_instance >= 0; }

    // Sets a button (SDL_GameControllerButton) or an axis
    // (SDL_GameControllerAxis) as the player would; the control reads it at
    // its next pump.
    void press(int button, bool down) { SDL_JoystickSetVirtualButton(stick(), button, down ? 1 : 0); }
    void tilt(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(stick(), axis, value); }

    // What SDL last read of a button or an axis: it reads at the pumps of
    // the control's thread, which opened the same joystick.
    bool readButton(int button)
    {
        SDL_LockJoysticks();
        const bool down = SDL_JoystickGetButton(stick(), button) != 0;
        SDL_UnlockJoysticks();
        return down;
    }
    Sint16 readAxis(int axis)
    {
        SDL_LockJoysticks();
        const Sint16 value = SDL_JoystickGetAxis(stick(), axis);
        SDL_UnlockJoysticks();
        return value;
    }

    void unplug()
    {
        // Under SDL's lock, like every walk of its list: the control's thread
        // walks it too.
        SDL_LockJoysticks();
        if (m_stick)
            SDL_JoystickClose(std::exchange(m_stick, nullptr));
        for (int i = 0; m_instance >= 0 && i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == m_instance) {
                SDL_JoystickDetachVirtual(i);
                m_instance = -1;
            }
        }
        SDL_UnlockJoysticks();
    }

    std::vector<RumbleCommand> commands() const
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

    std::size_t count() const
    {
        std::lock_guard lock(m_mutex);
        return m_commands.size();
    }

private:
    SDL_Joystick *stick()
    {
        SDL_LockJoysticks();
        for (int i = 0; !m_stick && m_instance >= 0 && i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == m_instance)
                m_stick = SDL_JoystickOpen(i);
        }
        SDL_UnlockJoysticks();
        return m_stick;
    }

    static int SDLCALL onRumble(void *userdata, Uint16 low, Uint16 high)
    {
        auto *pad = static_cast<VirtualPad *>(userdata);
        std::lock_guard lock(pad->m_mutex);
        pad->m_commands.push_back({Clock::now(), low, high});
        return 0;
    }

    SDL_JoystickID m_instance = -1;
    SDL_Joystick *m_stick = nullptr; // opened by the test to move buttons and axes
    mutable std::mutex m_mutex;
    std::vector<RumbleCommand> m_commands;
};

} // namespace pelnori::test
