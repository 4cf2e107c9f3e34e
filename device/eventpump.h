// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/padinput.h"

#include <chrono>
#include <memory>
#include <optional>
#include <span>

namespace pelnori {

class DeviceWatch;

// Pumps SDL on the playback thread: the joysticks' state is brought up to
// date (which also lets SDL end rumble whose time is up), controller input
// goes to the pads and a joystick plugged in to the device watch.
class EventPump
{
public:
    using Clock = std::chrono::steady_clock;

    explicit EventPump(PadInput::NodeOf nodeOf = {});
    ~EventPump();

    PadInput &pads() { return *m_pads; }

    void pump(Clock::time_point now, DeviceWatch &watch);
    // The controllers' device nodes: input on them is due at once.
    std::span<const int> nodes() const { return m_pads->nodes(); }
    // After a sleep on the nodes: true when input came on one (or one
    // failed), which a pump of SDL then reads.
    bool inputArrived(Clock::time_point now) { return m_pads->readNodes(now); }
    // When input must be read next; nullopt while the window wants none.
    std::optional<Clock::time_point> nextInput() const { return m_nextInput; }
    // The window's wish for input changed: its first reading is due now.
    void inputWanted(bool wanted, Clock::time_point now);

private:
    std::unique_ptr<PadInput> m_pads;
    std::optional<Clock::time_point> m_nextInput;
};

} // namespace pelnori
