// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <chrono>
#include <memory>
#include <optional>

namespace pelnori {

class SoundOutput;

// The sound of the effects, kept in step with what the motors are told: the
// same effect starts and stops on both. The audio output is opened before an
// effect is handed to the device, never between its updates. Playback
// thread only.
class SoundFollower
{
public:
    using Clock = std::chrono::steady_clock;

    explicit SoundFollower(bool on);
    ~SoundFollower();

    bool on() const { return m_sound != nullptr; }
    // The output opened the last time it was tried.
    bool works() const;
    // The output works and reaches a speaker.
    bool aloud() const;
    // Plays every effect as sound from now on; true when it is heard.
    bool turnOn();
    // Opens the output now if it was closed while quiet, so that the next
    // effect does not wait for it.
    void ready();
    void play(const Effect &effect);
    void stop();
    // Closes the output once it has been quiet a while.
    void pump(Clock::time_point now);
    // When what sounds will have ended; nullopt when nothing sounds.
    std::optional<Clock::time_point> soundingUntil(Clock::time_point now) const;

private:
    std::unique_ptr<SoundOutput> m_sound;
};

} // namespace pelnori
