// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"
#include "effects/effectlibrary.h"
#include "effects/effectstrength.h"

#include <chrono>
#include <memory>
#include <optional>

namespace pelnori {

struct SdlDevice;

// Plays one effect at a time on a device: natively where the device can,
// else rendered into rumble commands every kUpdatePeriod. Playback thread
// only.
class EffectPlayer
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds kUpdatePeriod{10};
    // Each motor level lasts this long unless an update replaces it: long
    // enough that a late update leaves no gap. Where the level goes to the
    // device as an effect of its own length (every route but SDL's rumble,
    // see docs/devices.md), the device ends it: the motors stop by
    // themselves this long after the last update, whatever this thread does.
    static constexpr std::chrono::milliseconds kMotorHold{100};
    // A native effect is looked at at least this often while it plays.
    static constexpr std::chrono::milliseconds kNativeCheck{1000};

    struct Request
    {
        std::shared_ptr<const LoadedEffects> effects;
        int index = 0;
        int strength = kMaxStrengthPercent; // percent of the effect as designed
        // Whose controller plays it (0 or 1) when two are attached; empty
        // for the device chosen as usual.
        std::optional<int> player;

        // The effect as it is to be played, at its strength.
        Effect effect() const { return atStrength(effects->effects.at(std::size_t(index)), strength); }
    };

    // Starts the effect, cutting off the one that plays. False when the
    // device refused it: it is no longer to be used.
    bool begin(const Request &request, SdlDevice &device, Clock::time_point now);
    // The update due at now. False when the device refused it.
    bool tick(SdlDevice &device, Clock::time_point now);
    // Stops what plays: the motors get an explicit zero.
    void end(SdlDevice &device);
    // The device went away with the effect.
    void forget();

    bool playing() const { return m_playing; }
    // When the next update is due; nullopt while nothing plays.
    std::optional<Clock::time_point> nextTick() const;

private:
    bool m_playing = false;
    int m_nativeId = -1; // the effect the device plays itself, or -1
    Effect m_effect;
    Clock::time_point m_start;
    Clock::time_point m_nextTick;
};

} // namespace pelnori
