// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/padstepper.h"

#include <algorithm>

namespace pelnori {

namespace {

std::size_t slot(PadAction direction)
{
    return std::size_t(direction); // Up, Down, Left, Right come first
}

} // namespace

PadStepper::Thresholds PadStepper::thresholds(int deadZonePercent)
{
    constexpr int kTravel = 32768;
    const int percent = std::clamp(deadZonePercent, 10, 50);
    const int release = kTravel * percent / 100;
    return {release + kTravel / 4, release};
}

PadStepper::PadStepper(int deadZonePercent)
    : m_thresholds(thresholds(deadZonePercent))
{
}

std::vector<PadAction> PadStepper::action(PadAction action, bool down, Ms now)
{
    std::vector<PadAction> out;
    if (action <= PadAction::Right)
        press(action, false, down, now, out);
    else if (down)
        out.push_back(action);
    return out;
}

void PadStepper::press(PadAction direction, bool byStick, bool down, Ms now, std::vector<PadAction> &out)
{
    Held &held = m_held[slot(direction)];
    const bool wasHeld = held.dpad || held.stick;
    (byStick ? held.stick : held.dpad) = down;
    if (!wasHeld && down) {
        out.push_back(direction);
        held.nextRepeat = now + kRepeatDelay;
    }
}

std::vector<PadAction> PadStepper::button(Button button, bool down, Ms now)
{
    std::vector<PadAction> out;
    switch (button) {
    case Button::DpadUp: press(PadAction::Up, false, down, now, out); break;
    case Button::DpadDown: press(PadAction::Down, false, down, now, out); break;
    case Button::DpadLeft: press(PadAction::Left, false, down, now, out); break;
    case Button::DpadRight: press(PadAction::Right, false, down, now, out); break;
    case Button::South: if (down) out.push_back(PadAction::Turn); break;
    case Button::West: if (down) out.push_back(PadAction::ReadFile); break;
    case Button::Start: if (down) out.push_back(PadAction::Start); break;
    case Button::East: if (down) out.push_back(PadAction::Cancel); break;
    case Button::North: if (down) out.push_back(PadAction::SayState); break;
    case Button::LeftShoulder: if (down) out.push_back(PadAction::PreviousField); break;
    case Button::RightShoulder: if (down) out.push_back(PadAction::NextField); break;
    case Button::Back: if (down) out.push_back(PadAction::Menu); break;
    }
    return out;
}

std::vector<PadAction> PadStepper::axis(Axis axis, int value, Ms now)
{
    const PadAction less = axis == Axis::LeftX ? PadAction::Left : PadAction::Up;
    const PadAction more = axis == Axis::LeftX ? PadAction::Right : PadAction::Down;
    std::vector<PadAction> out;
    // A tilt ends inside the release zone, or when the stick swings over to
    // the other side; it begins only past the engage threshold.
    const auto [engage, release] = m_thresholds;
    if (m_held[slot(less)].stick && (value > -release))
        press(less, true, false, now, out);
    if (m_held[slot(more)].stick && (value < release))
        press(more, true, false, now, out);
    if (value <= -engage && !m_held[slot(less)].stick)
        press(less, true, true, now, out);
    if (value >= engage && !m_held[slot(more)].stick)
        press(more, true, true, now, out);
    return out;
}

std::vector<PadAction> PadStepper::repeat(Ms now)
{
    std::vector<PadAction> out;
    for (std::size_t i = 0; i < m_held.size(); ++i) {
        Held &held = m_held[i];
        if ((held.dpad || held.stick) && now >= held.nextRepeat) {
            out.push_back(PadAction(i));
            // One step per look, however late: a stalled thread must not
            // send the selection across the board.
            held.nextRepeat = now + kRepeatInterval;
        }
    }
    return out;
}

std::optional<PadStepper::Ms> PadStepper::nextRepeat() const
{
    std::optional<Ms> next;
    for (const Held &held : m_held) {
        if (held.dpad || held.stick)
            next = next ? std::min(*next, held.nextRepeat) : held.nextRepeat;
    }
    return next;
}

void PadStepper::reset()
{
    m_held = {};
}

} // namespace pelnori
