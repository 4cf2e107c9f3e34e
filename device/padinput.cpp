// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/padinput.h"

#include "device/devicescan.h"
#include "device/hapticslog.h"
#include "device/padnode.h"

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
    case SDL_CONTROLLER_BUTTON_BACK: return PadStepper::Button::Back;
    default: return std::nullopt;
    }
}

} // namespace

PadInput::PadInput(NodeOf nodeOf)
    : m_nodeOf(std::move(nodeOf))
{
}

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
        SDL_GameController *controller = SDL_GameControllerOpen(listed.index);
        if (!controller) {
            logSdlFailure("SDL_GameControllerOpen");
            return;
        }
        Pad &pad = m_pads[listed.instance];
        pad.controller = controller;
        const std::string node = m_nodeOf ? m_nodeOf(listed.name.toStdString()) : padnode::ofController(controller);
        pad.node = padnode::open(node);
        if (pad.node >= 0)
            HAPTICS_INFO << "reading input from" << listed.name << "when" << node.c_str() << "has some";
        else
            HAPTICS_INFO << "reading input from" << listed.name << "every" << kPoll.count() << "ms";
    });
    nodesChanged();
}

void PadInput::close(Pad &pad)
{
    SDL_GameControllerClose(pad.controller);
    padnode::close(std::exchange(pad.node, -1));
}

void PadInput::closeControllers()
{
    for (auto &[instance, pad] : m_pads)
        close(pad);
    m_pads.clear();
    m_afterNodeInput.reset();
    nodesChanged();
}

void PadInput::nodesChanged()
{
    m_nodes.clear();
    for (const auto &[instance, pad] : m_pads) {
        if (pad.node >= 0)
            m_nodes.push_back(pad.node);
    }
}

bool PadInput::readNodes(Clock::time_point now)
{
    bool pump = false;
    for (auto &[instance, pad] : m_pads) {
        if (pad.node < 0)
            continue;
        switch (padnode::drain(pad.node)) {
        case padnode::Read::Nothing:
            break;
        case padnode::Read::Input:
            m_afterNodeInput = now + kPoll;
            pump = true;
            break;
        case padnode::Read::Gone:
            // Unplugged (SDL says so at the pump), or a node that cannot be
            // waited on: polled until it is let go.
            padnode::close(std::exchange(pad.node, -1));
            pump = true;
            break;
        }
    }
    if (pump)
        nodesChanged();
    return pump;
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
            close(pad->second);
            m_pads.erase(pad);
            nodesChanged();
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (auto pad = m_pads.find(event.cbutton.which); pad != m_pads.end()) {
            if (const auto button = stepperButton(event.cbutton.button))
                deliver(pad->second.stepper.button(*button, event.type == SDL_CONTROLLERBUTTONDOWN, sinceEpoch(now)));
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (auto pad = m_pads.find(event.caxis.which); pad != m_pads.end()) {
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                const auto axis = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? PadStepper::Axis::LeftX
                                                                               : PadStepper::Axis::LeftY;
                deliver(pad->second.stepper.axis(axis, event.caxis.value, sinceEpoch(now)));
            }
        }
        break;
    default:
        break;
    }
}

void PadInput::afterPump(Clock::time_point now)
{
    if (m_afterNodeInput && now >= *m_afterNodeInput)
        m_afterNodeInput.reset();
    for (auto &[instance, pad] : m_pads)
        deliver(pad.stepper.repeat(sinceEpoch(now)));
}

std::optional<PadInput::Clock::time_point> PadInput::nextPoll(Clock::time_point now) const
{
    if (!m_wanted)
        return std::nullopt;
    auto next = m_afterNodeInput;
    const auto earliest = [&next](Clock::time_point at) { next = next ? std::min(*next, at) : at; };
    for (const auto &[instance, pad] : m_pads) {
        if (pad.node < 0)
            earliest(now + kPoll);
        if (const auto repeat = pad.stepper.nextRepeat())
            earliest(Clock::time_point(std::chrono::duration_cast<Clock::duration>(*repeat)));
    }
    return next;
}

} // namespace pelnori
