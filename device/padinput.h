// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"
#include "input/padstepper.h"

#include <SDL.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>

namespace pelnori {

// The game controllers as the window's input: the d-pad and left stick move
// the selection, the south face button turns the card, West presses the
// effect-file button and Start the start button; in dialogs East cancels and
// the shoulder buttons go from field to field. Lives on the playback
// thread, which pumps SDL and hands every SDL event over; the listener is
// called there too, and must pass the action on to the window's thread.
class PadInput
{
public:
    using Clock = std::chrono::steady_clock;
    using Listener = std::function<void(PadAction)>;

    // How often SDL is pumped for input while the window wants it: fast
    // while the player uses a controller, slower after kActiveFor without a
    // press. Presses are SDL events, so none is lost between two pumps.
    static constexpr std::chrono::milliseconds kActivePoll{16};
    static constexpr std::chrono::milliseconds kIdlePoll{100};
    static constexpr std::chrono::milliseconds kActiveFor{3000};

    PadInput();
    ~PadInput();

    PadInput(const PadInput &) = delete;
    PadInput &operator=(const PadInput &) = delete;

    void setListener(Listener listener) { m_listener = std::move(listener); }
    // On while the window is the active window. Off, the controllers are let
    // go and their input is dropped, so a press meant for another program
    // does nothing here.
    void setWanted(bool wanted);
    // One event of a pump: controller input, or a controller plugged in or out.
    void handle(const SDL_Event &event, Clock::time_point now);
    // After the events of a pump: the repeats of held directions.
    void afterPump(Clock::time_point now);
    // When the thread must pump again for input; empty when it need not.
    std::optional<Clock::time_point> nextPoll(Clock::time_point now) const;

private:
    struct Pad
    {
        SDL_GameController *controller = nullptr;
        PadStepper stepper;
    };

    void openControllers();
    void closeControllers();
    void deliver(const std::vector<PadAction> &actions);
    static PadStepper::Ms sinceEpoch(Clock::time_point now);

    Listener m_listener;
    bool m_wanted = false;
    std::map<SDL_JoystickID, Pad> m_pads;
    Clock::time_point m_lastPress;
};

} // namespace pelnori
