// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtualtestdevice.h"

#include <QByteArray>
#include <QtGlobal>

#include <SDL.h>

#include <cstdio>
#include <mutex>

namespace pelnori {

namespace {

struct RumbleLog
{
    std::mutex mutex;
    std::FILE *file = nullptr;
    Uint64 start = 0;
};

RumbleLog &rumbleLog()
{
    static RumbleLog log;
    return log;
}

int SDLCALL onRumble(void *, Uint16 low, Uint16 high)
{
    RumbleLog &log = rumbleLog();
    std::lock_guard lock(log.mutex);
    if (log.file) {
        std::fprintf(log.file, "%llu %u %u\n", static_cast<unsigned long long>(SDL_GetTicks64() - log.start),
                     unsigned(low), unsigned(high));
        std::fflush(log.file);
    }
    return 0;
}

} // namespace

void attachVirtualTestController()
{
    // Same settings as the control: no SDL signal handlers in a Qt program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Kept for the life of the program: the controller lives in this subsystem.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
        return;

    RumbleLog &log = rumbleLog();
    const QByteArray logPath = qgetenv("PELNORI_TEST_RUMBLE_LOG");
    if (!logPath.isEmpty()) {
        std::lock_guard lock(log.mutex);
        log.file = std::fopen(logPath.constData(), "a");
        log.start = SDL_GetTicks64();
    }

    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Pelnori virtual test controller";
    desc.Rumble = &onRumble;
    SDL_JoystickAttachVirtualEx(&desc);
}

} // namespace pelnori
