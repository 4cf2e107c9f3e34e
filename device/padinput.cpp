// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/padinput.h"

#include "device/devicescan.h"
#include "device/hapticslog.h"

#include <algorithm>

namespace pelnori {

namespace {

// SDL makes a controller's events out of its joystick's, so both are let
// through while the window wants input.
constexpr Uint32 kInputEvents[] = {SDL_JOYAXISMOTION,        SDL_JOYHATMOTION,       SDL_JOYBUTTONDOWN,
                                   SDL_JOYBUTTONUP,          SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN,
                                   SDL_CONTROLLERBUTTONUP};

std::optional<PadStepper::Button> stepperButton(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadStepper::Button::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadStepper::Button::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadStepper::Button::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadStepper::Button::DpadRight;
    // Positions, not labels: SDL is told to keep A at the bottom on every pad.
    case SDL_CONTROLLER_BUTTON_A: return PadStepper::Button::South;
    case SDL_CONTROLLER_BUTTON_X: return PadStepper::Button::West;
    case SDL_CONTROLLER_BUTTON_START: return PadStepper::Button::Start;
    case SDL_CONTROLLER_BUTTON_B: return PadStepper::Button::East;
    case SDL_CONTROLLER_BUTTON_Y: return PadStepper::Button::North;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadStepper::Button::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadStepper::Button::RightShoulder;
    default: return std::nullopt;
    }
}

} // namespace

PadInput::PadInput() = default;

PadInput::~PadInput()
{
    closeControllers();
}

PadStepper::Ms PadInput::sinceEpoch(Clock::time_point now)
{
    return std::chrono::duration_cast<PadStepper::Ms>(now.time_since_epoch());
}

void PadInput::setWanted(bool wanted)
{
    if (wanted == m_wanted)
        return;
    m_wanted = wanted;
    for (Uint32 type : kInputEvents)
        SDL_EventState(type, wanted ? SDL_ENABLE : SDL_IGNORE);
    if (wanted) {
        // Whatever was pressed before the window was active is not for us.
        for (Uint32 type : kInputEvents)
            SDL_FlushEvent(type);
        openControllers();
        m_lastPress = Clock::now();
    } else {
        closeControllers();
    }
}

void PadInput::openControllers()
{
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER))
        return;
    walkDevices([this](const ListedDevice &listed) {
        if (!listed.controller || m_pads.count(listed.instance))
            return;
        if (SDL_GameController *controller = SDL_GameControllerOpen(listed.index)) {
            qCInfo(lcHaptics) << "reading input from" << listed.name;
            m_pads[listed.instance].controller = controller;
        } else {
            logSdlFailure("SDL_GameControllerOpen");
        }
    });
}

void PadInput::closeControllers()
{
    for (auto &[instance, pad] : m_pads)
        SDL_GameControllerClose(pad.controller);
    m_pads.clear();
}

void PadInput::deliver(const std::vector<PadAction> &actions)
{
    for (PadAction action : actions) {
        if (m_listener)
            m_listener(action);
    }
}

void PadInput::handle(const SDL_Event &event, Clock::time_point now)
{
    if (!m_wanted)
        return;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_JOYDEVICEADDED:
        openControllers();
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (auto pad = m_pads.find(event.cdevice.which); pad != m_pads.end()) {
            SDL_GameControllerClose(pad->second.controller);
            m_pads.erase(pad);
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (auto pad = m_pads.find(event.cbutton.which); pad != m_pads.end()) {
            if (const auto button = stepperButton(event.cbutton.button)) {
                m_lastPress = now;
                deliver(pad->second.stepper.button(*button, event.type == SDL_CONTROLLERBUTTONDOWN, sinceEpoch(now)));
            }
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (auto pad = m_pads.find(event.caxis.which); pad != m_pads.end()) {
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                const auto axis = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? PadStepper::Axis::LeftX
                                                                               : PadStepper::Axis::LeftY;
                const auto actions = pad->second.stepper.axis(axis, event.caxis.value, sinceEpoch(now));
                if (!actions.empty())
                    m_lastPress = now;
                deliver(actions);
            }
        }
        break;
    default:
        break;
    }
}

void PadInput::afterPump(Clock::time_point now)
{
    for (auto &[instance, pad] : m_pads)
        deliver(pad.stepper.repeat(sinceEpoch(now)));
}

std::optional<PadInput::Clock::time_point> PadInput::nextPoll(Clock::time_point now) const
{
    if (!m_wanted || m_pads.empty())
        return std::nullopt;
    auto next = now + (now - m_lastPress < kActiveFor ? kActivePoll : kIdlePoll);
    for (const auto &[instance, pad] : m_pads) {
        if (const auto repeat = pad.stepper.nextRepeat())
            next = std::min(next, Clock::time_point(std::chrono::duration_cast<Clock::duration>(*repeat)));
    }
    return next;
}

} // namespace pelnori
