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
        pad.id = listed.id;
        pad.stepper.setDeadZone(m_mapping.deadZone);
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

void PadInput::setMapping(const PadMapping &mapping)
{
    m_mapping = mapping;
    for (auto &[instance, pad] : m_pads)
        pad.stepper.setDeadZone(mapping.deadZone);
}

void PadInput::setPlayers(const QString &preferred, bool swap)
{
    m_preferred = preferred;
    m_swap = swap;
}

std::vector<SDL_JoystickID> PadInput::playersOrder() const
{
    // Instance ids grow as controllers are plugged in: the map's order is
    // the order they came.
    std::vector<SDL_JoystickID> order;
    for (const auto &[id, pad] : m_pads) {
        if (!m_preferred.isEmpty() && pad.id == m_preferred)
            order.insert(order.begin(), id);
        else
            order.push_back(id);
    }
    if (m_swap && order.size() >= 2)
        std::swap(order[0], order[1]);
    return order;
}

SDL_JoystickID PadInput::instanceOf(int player) const
{
    const auto order = playersOrder();
    if (order.size() < 2 || player < 0 || player > 1)
        return -1;
    return order[std::size_t(player)];
}

std::optional<int> PadInput::playerOf(SDL_JoystickID instance) const
{
    if (m_pads.size() < 2)
        return std::nullopt;
    const auto order = playersOrder();
    const auto at = std::find(order.begin(), order.end(), instance) - order.begin();
    if (at > 1)
        return std::nullopt; // a third controller acts for whoever's turn it is
    return int(at);
}

void PadInput::deliver(SDL_JoystickID instance, const std::vector<PadAction> &actions)
{
    if (!m_listener || actions.empty())
        return;
    const std::optional<int> player = playerOf(instance);
    for (PadAction action : actions)
        m_listener(PadPress{action, player, {}});
}

void PadInput::button(SDL_JoystickID instance, Pad &pad, Uint8 button, bool down, Clock::time_point now)
{
    const char *name = SDL_GameControllerGetStringForButton(SDL_GameControllerButton(button));
    if (!name)
        return;
    const std::string_view named(name);
    const bool step = named.starts_with("dp");
    if (m_capturing && !step) {
        if (down && m_listener)
            m_listener(PadPress{PadAction::Turn, playerOf(instance), std::string(named)});
        return;
    }
    if (const auto action = padActionOf(m_mapping, named))
        deliver(instance, pad.stepper.action(*action, down, sinceEpoch(now)));
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
        if (auto pad = m_pads.find(event.cbutton.which); pad != m_pads.end())
            button(pad->first, pad->second, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN, now);
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (auto pad = m_pads.find(event.caxis.which); pad != m_pads.end()) {
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                const auto axis = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? PadStepper::Axis::LeftX
                                                                               : PadStepper::Axis::LeftY;
                deliver(pad->first, pad->second.stepper.axis(axis, event.caxis.value, sinceEpoch(now)));
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
        deliver(instance, pad.stepper.repeat(sinceEpoch(now)));
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
