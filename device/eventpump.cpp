// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/eventpump.h"

#include "device/devicewatch.h"
#include "device/padinput.h"

#include <SDL.h>

namespace pelnori {

EventPump::EventPump(PadInput::NodeOf nodeOf)
    : m_pads(std::make_unique<PadInput>(std::move(nodeOf)))
{
}

EventPump::~EventPump() = default;

void EventPump::pump(Clock::time_point now, DeviceWatch &watch)
{
    if (!SDL_WasInit(SDL_INIT_JOYSTICK))
        return;
    SDL_JoystickUpdate();
    SDL_Event events[16];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE)) > 0) {
        for (int i = 0; i < count; ++i) {
            if (events[i].type == SDL_JOYDEVICEADDED)
                watch.joystickAdded();
            m_pads->handle(events[i], now);
        }
    }
    m_pads->afterPump(now);
    m_nextInput = m_pads->nextPoll(now);
}

void EventPump::inputWanted(bool wanted, Clock::time_point now)
{
    m_pads->setWanted(wanted);
    m_nextInput = m_pads->nextPoll(now);
}

} // namespace pelnori
