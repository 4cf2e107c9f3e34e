// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"
#include "input/padmapping.h"
#include "input/padstepper.h"

#include <QString>

#include <SDL.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pelnori {

// The game controllers as the window's input: the d-pad and left stick move
// the selection, and the buttons act as the mapping says (by default the
// south face button turns the card, West presses the effect-file button and
// Start the start button; in dialogs East cancels and the shoulder buttons go
// from field to field). Each press says whose controller it came from when
// two are open. Lives on the playback
// thread, which pumps SDL and hands every SDL event over; the listener is
// called there too, and must pass the action on to the window's thread.
class PadInput
{
public:
    using Clock = std::chrono::steady_clock;
    using Listener = std::function<void(const PadPress &)>;
    // The device node to wait on for a controller's input, by its name;
    // empty to poll it.
    using NodeOf = std::function<std::string(const std::string &name)>;

    // A controller whose device node the thread waits on is read when input
    // arrives (at most every WakePlan::kNodeReadGap); any other is read this
    // often while the window wants input.
    // Either way a press acts within a frame. Presses are SDL events, so
    // none is lost between two readings.
    static constexpr std::chrono::milliseconds kPoll{16};

    // Without nodeOf, SDL names the node where it can (Linux).
    explicit PadInput(NodeOf nodeOf = {});
    ~PadInput();

    PadInput(const PadInput &) = delete;
    PadInput &operator=(const PadInput &) = delete;

    void setListener(Listener listener) { m_listener = std::move(listener); }
    // Which button does what, and the stick's dead zone, from now on.
    void setMapping(const PadMapping &mapping);
    // Whose each controller is: the preferred one (ListedDevice::id) first,
    // then the others in the order they came; with two attached the first is
    // player 1's and the second player 2's, or the other way round with swap.
    void setPlayers(const QString &preferred, bool swap);
    // On, a button pressed goes to the listener by its name (PadPress::captured)
    // and does nothing else; the d-pad and stick still step.
    void setCapturing(bool capturing) { m_capturing = capturing; }
    // The open controller that is player's (0 or 1); -1 when fewer than
    // two are open.
    SDL_JoystickID instanceOf(int player) const;
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

    // The device nodes of the open controllers, for the thread to wait on.
    std::span<const int> nodes() const { return m_nodes; }
    // Reads what the nodes hold (SDL reads the input itself from its own
    // descriptors): true when input arrived, or a node failed and its
    // controller is polled from now on; either way SDL is to be pumped.
    bool readNodes(Clock::time_point now);

private:
    struct Pad
    {
        SDL_GameController *controller = nullptr;
        PadStepper stepper;
        int node = -1;
        QString id;
    };

    void openControllers();
    void close(Pad &pad);
    void closeControllers();
    void nodesChanged();
    void deliver(SDL_JoystickID instance, const std::vector<PadAction> &actions);
    void button(SDL_JoystickID instance, Pad &pad, Uint8 button, bool down, Clock::time_point now);
    std::optional<int> playerOf(SDL_JoystickID instance) const;
    std::vector<SDL_JoystickID> playersOrder() const;
    static PadStepper::Ms sinceEpoch(Clock::time_point now);

    NodeOf m_nodeOf;
    Listener m_listener;
    bool m_wanted = false;
    bool m_capturing = false;
    PadMapping m_mapping;
    QString m_preferred;
    bool m_swap = false;
    std::map<SDL_JoystickID, Pad> m_pads;
    std::vector<int> m_nodes;
    // One more reading after input came through a node, in case SDL's own
    // descriptor had not yet been handed what woke the thread.
    std::optional<Clock::time_point> m_afterNodeInput;
};

} // namespace pelnori
