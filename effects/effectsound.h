// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"
#include "effects/effectrenderer.h"

#include <cstdint>

namespace pelnori {

inline constexpr int kSoundRate = 48000;
// A level that jumps from silence to full strength gets there in this time,
// a smaller jump sooner: starts, stops and the edges of a square wave ramp
// instead of clicking.
inline constexpr double kSoundRampMs = 4.0;

// The tones the two motors are heard as, each -1 … 1 at tSec: the strong motor
// a low tone rich in harmonics, so small speakers that cannot play its root
// still carry it; the weak motor a higher, purer tone.
double strongTone(double tSec);
double weakTone(double tSec);

// One effect as the player hears it. Sample by sample, the motor levels of
// motorLevelsAt set the loudness of the two tones, so rhythm, length and
// strength are heard as they are felt. The same effect always sounds the
// same: the sound depends only on the effect and the time since its start.
class EffectVoice
{
public:
    explicit EffectVoice(Effect effect);

    // Adds the next frames of the sound (mono, kSoundRate) to out.
    void mixInto(float *out, int frames);
    // The voice falls silent within kSoundRampMs: a new effect cuts it off.
    void cut() { m_cut = true; }
    // Nothing more is to be heard: the effect (or its cut) and the last ramp are over.
    bool done() const { return m_done; }

private:
    Effect m_effect;
    std::int64_t m_frame = 0;
    std::int64_t m_endFrame = 0;
    MotorLevels m_level;
    bool m_cut = false;
    bool m_done = false;
};

} // namespace pelnori
