// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace pelnori {

// Turns one controller's buttons and left stick into window actions: a step
// per press of the d-pad or tilt of the stick, repeated while held, and one
// action per press of the face and shoulder buttons. Pure: times come from
// the caller.
class PadStepper
{
public:
    using Ms = std::chrono::milliseconds;

    enum class Button { DpadUp, DpadDown, DpadLeft, DpadRight, South, West, Start, East, North, LeftShoulder, RightShoulder, Back };
    enum class Axis { LeftX, LeftY };

    // A tilt counts from the engage threshold and lasts until the stick is
    // back inside the release threshold, the dead zone: the gap between them
    // (hysteresis, a quarter of the travel) keeps a stick resting near the
    // edge from stepping again and again. The default dead zone, a quarter,
    // engages at half way (kEngage) and releases inside kRelease.
    static constexpr int kEngage = 16384;
    static constexpr int kRelease = 8192;
    static constexpr int kDefaultDeadZonePercent = 25;
    struct Thresholds
    {
        int engage = kEngage;
        int release = kRelease;
        bool operator==(const Thresholds &) const = default;
    };
    // The thresholds for a dead zone of percent (10 to 50) of the travel.
    static Thresholds thresholds(int deadZonePercent);
    // Held, a direction repeats after kRepeatDelay, then every kRepeatInterval.
    static constexpr Ms kRepeatDelay{400};
    static constexpr Ms kRepeatInterval{150};

    explicit PadStepper(int deadZonePercent = kDefaultDeadZonePercent);

    // The stick's dead zone from now on, in percent of its travel (10 to 50).
    void setDeadZone(int percent) { m_thresholds = thresholds(percent); }
    // A button went down or up at now.
    std::vector<PadAction> button(Button button, bool down, Ms now);
    // A button that stands for action went down or up at now: a direction
    // steps and repeats as the d-pad does, anything else acts on the press.
    std::vector<PadAction> action(PadAction action, bool down, Ms now);
    // An axis moved to value (-32768 … 32767, down and right positive) at now.
    std::vector<PadAction> axis(Axis axis, int value, Ms now);
    // The repeats of held directions that are due at now.
    std::vector<PadAction> repeat(Ms now);
    // When the next repeat falls due; empty when nothing is held.
    std::optional<Ms> nextRepeat() const;
    // Forgets everything held, as when the controller is gone.
    void reset();

private:
    // The four directions, each held by the d-pad, by the stick, or both.
    struct Held
    {
        bool dpad = false;
        bool stick = false;
        Ms nextRepeat{0};
    };

    void press(PadAction direction, bool byStick, bool down, Ms now, std::vector<PadAction> &out);

    std::array<Held, 4> m_held{}; // Up, Down, Left, Right
    Thresholds m_thresholds;
};

} // namespace pelnori
