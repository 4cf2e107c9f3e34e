// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <SDL.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace pelnori {

class EffectVoice;

// The default audio output, on which effects are heard as well as felt when
// the sound is on; kept in step with what the motors are told: the same
// effect starts on both. Made, used and destroyed on the playback thread. SDL's audio thread only
// mixes the voices handed to it; they change hands under SDL's audio-device
// lock, which the playback thread holds for a few instructions and no other
// thread of ours takes. A paused SDL device keeps its thread waking at every
// buffer, so once nothing has sounded for kLinger the output is closed
// altogether, and the next effect opens it again.
class SoundOutput
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kBufferFrames = 512;
    static constexpr std::chrono::seconds kLinger{4};

    // With on, opens the output, and works() tells whether it did; off, it
    // opens and plays nothing until turnOn().
    explicit SoundOutput(bool on = true);
    // Whether an output that reaches a speaker opens now; it is closed again
    // before it plays.
    static bool opens();
    ~SoundOutput();

    SoundOutput(const SoundOutput &) = delete;
    SoundOutput &operator=(const SoundOutput &) = delete;

    bool on() const { return m_on; }
    // Plays every effect as sound from now on; true when it is heard.
    bool turnOn();
    // The output opened the last time it was tried.
    bool works() const { return m_works; }
    // It opened on a driver that reaches a speaker: SDL's dummy driver plays
    // nothing, though effects are handed to it as to any other.
    bool aloud() const { return m_works && m_aloud; }
    // Plays the effect's sound, cutting off what sounds; opens the output
    // first when it was closed.
    void play(const Effect &effect);
    // When what sounds at now will have ended (a little late rather than
    // early); nullopt when nothing sounds.
    std::optional<Clock::time_point> soundingUntil(Clock::time_point now) const;
    // Closes the output once it has been quiet for kLinger.
    void pump(Clock::time_point now);
    // Opens the output again if it was closed while quiet, so that the next
    // effect does not wait for it (the audio output is opened before an
    // effect is handed to the device, never between its updates).
    void reopen();

private:
    bool open();
    void close();
    static void SDLCALL fill(void *userdata, Uint8 *stream, int bytes);

    SDL_AudioDeviceID m_device = 0;
    bool m_on = false;
    bool m_works = false;
    bool m_aloud = false;
    Clock::time_point m_quietFrom;
    // Mixed by SDL's audio thread; changed only under the audio-device lock
    // while the device is open.
    std::vector<std::unique_ptr<EffectVoice>> m_voices;
};

} // namespace pelnori
