// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"
#include "device/controloptions.h"
#include "effects/effectlibrary.h"
#include "effects/effectstrength.h"
#include "device/hapticdeviceinfo.h"
#include "input/padaction.h"
#include "input/padmapping.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pelnori {

class PlaybackThread;

// The haptic control on SDL's haptic and game-controller rumble API. Effect
// files are read on the caller's thread (the UI thread); everything that
// touches SDL happens on the control's playback thread (PlaybackThread).
// StartEffect only hands the effect over and returns. With options.sound,
// or once turnSoundOn() has been called, every effect is heard as well, and
// a working audio output counts as an attached device.
class SdlHapticControl final : public HapticInterface
{
public:
    // Starts the playback thread, SDL's subsystems (as many as will) and the
    // first look for a device; empty when none of the subsystems starts
    // (nor, with options.sound, the audio output).
    static std::unique_ptr<SdlHapticControl> create(ControlOptions options = {});
    ~SdlHapticControl() override;

    SdlHapticControl(const SdlHapticControl &) = delete;
    SdlHapticControl &operator=(const SdlHapticControl &) = delete;

    bool answered(std::chrono::milliseconds wait) override;
    bool ForceDeviceAttached() override;
    std::int32_t OpenForceResource(const QString &path) override;
    OpenFailure lastOpenFailure() override;
    std::int32_t GetNumberOfEffects(std::int32_t handle) override;
    QString GetNameOfEffect(std::int16_t index, std::int32_t handle) override;
    void StartEffect(const QString &name, std::int32_t handle) override;
    bool soundOn() override;
    bool soundOutputWorks() override;
    bool turnSoundOn() override;
    void setStrength(int percent) override;
    void setPlayer(std::optional<int> player) override { m_target = player; }

    // Every device SDL reports, and which one the control plays on.
    std::vector<HapticDeviceInfo> devices();
    // Waits until the current effect has ended; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // Game controllers as the window's input. The listener is called on the
    // playback thread and must pass each action on to the window's thread.
    // Handed over without waiting: the previous one may still be called
    // until the thread has taken it, which a round trip (devices()) ensures.
    void setPadListener(std::function<void(const PadPress &)> listener);
    // The player's controller settings, handed over without waiting: the
    // buttons and dead zone, the device chosen (an id from controllers(),
    // empty for the usual order) and whether the players' controllers swap.
    void setPadSettings(const PadMapping &mapping, const QString &device, bool swapPlayers);
    // While on, each button pressed comes to the listener by its name
    // (PadPress::captured) and does nothing else.
    void setPadCapturing(bool capturing);
    // The joysticks and controllers attached, as (id, name), in a round trip.
    std::vector<std::pair<QString, QString>> controllers();
    // Whether the window wants controller presses now: only while it is the
    // active window, so a press meant for another program does nothing here.
    void setPadInputWanted(bool wanted);

    const EffectLibrary &library() const { return m_library; }

private:
    explicit SdlHapticControl(std::unique_ptr<PlaybackThread> player);

    std::shared_ptr<const LoadedEffects> effects(std::int32_t handle) const;

    EffectLibrary m_library;
    std::unique_ptr<PlaybackThread> m_player;
    int m_strength = kMaxStrengthPercent; // each request carries it to the thread
    std::optional<int> m_target;          // and whose controller plays it
};

} // namespace pelnori
