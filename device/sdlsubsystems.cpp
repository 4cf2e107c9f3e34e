// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdlsubsystems.h"

#include "device/hapticslog.h"

namespace pelnori {

SdlSubsystems::SdlSubsystems()
{
    // The game window has the focus, never SDL; and Ctrl+C must still end
    // the program rather than become an SDL quit event.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A is the south button on every controller, whatever its label says.
    // The game-controller subsystem reads it as it loads its mappings.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");

    const auto start = [this](Uint32 flags, const char *what) {
        if (SDL_InitSubSystem(flags) == 0) {
            m_started.push_back(flags);
            return true;
        }
        logSdlFailure(what);
        return false;
    };
    // Take what starts: rumble pads need no haptic subsystem, force-feedback
    // devices no game controllers.
    if (!start(SDL_INIT_JOYSTICK | SDL_INIT_HAPTIC | SDL_INIT_GAMECONTROLLER,
               "SDL_InitSubSystem(joystick, game controller, haptic)")) {
        if (!start(SDL_INIT_GAMECONTROLLER, "SDL_InitSubSystem(game controller)"))
            start(SDL_INIT_JOYSTICK, "SDL_InitSubSystem(joystick)");
        start(SDL_INIT_HAPTIC, "SDL_InitSubSystem(haptic)");
    }

    // Only plugging and unplugging matters here; input events would pile up
    // in SDL's queue, which nobody else reads.
    for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN,
                        SDL_JOYBUTTONUP, SDL_JOYBATTERYUPDATED, SDL_CONTROLLERAXISMOTION,
                        SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP, SDL_CONTROLLERTOUCHPADDOWN,
                        SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP,
                        SDL_CONTROLLERSENSORUPDATE}) {
        SDL_EventState(type, SDL_IGNORE);
    }
}

SdlSubsystems::~SdlSubsystems()
{
    for (auto it = m_started.rbegin(); it != m_started.rend(); ++it)
        SDL_QuitSubSystem(*it);
}

} // namespace pelnori
