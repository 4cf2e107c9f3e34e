// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "haptics/effectlibrary.h"
#include "common/hapticinterface.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

namespace pelnori {

// One force-feedback device as SDL sees it, for people choosing a device.
struct HapticDeviceInfo
{
    QString name;
    QString kind;            // "haptic", "game controller" or "joystick"
    QStringList nativeTypes; // effect types the device plays by itself
    bool rumble = false;     // takes two-motor rumble commands
    bool inUse = false;      // the device the control plays on
};

// The haptic control on SDL's haptic and game-controller rumble API. A
// playback thread owns every SDL device call: it plays effects a device
// supports natively, and renders all others itself into rumble commands at
// kUpdatePeriod. The public calls come from one thread (the UI thread);
// StartEffect only posts the effect and returns.
class SdlHapticControl final : public HapticInterface
{
public:
    static constexpr std::chrono::milliseconds kUpdatePeriod{10};
    // Each rumble command lasts a little longer than an update, so motors
    // stop by themselves if updates stall.
    static constexpr std::chrono::milliseconds kRumbleHold{30};

    // Starts SDL's joystick, game-controller and haptic subsystems (as many
    // as will start); empty when none does.
    static std::unique_ptr<SdlHapticControl> create();
    ~SdlHapticControl() override;

    SdlHapticControl(const SdlHapticControl &) = delete;
    SdlHapticControl &operator=(const SdlHapticControl &) = delete;

    bool TouchSenseDeviceAttached() override;
    std::int32_t OpenForceResource(const QString &path) override;
    std::int32_t GetNumberOfEffects(std::int32_t handle) override;
    QString GetNameOfEffect(std::int16_t index, std::int32_t handle) override;
    void StartEffect(const QString &name, std::int32_t handle) override;

    // Every device SDL reports, and which one the control plays on.
    std::vector<HapticDeviceInfo> devices();
    // Waits until the current effect has ended; false on timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout);
    // Stops whatever plays.
    void stop();

    const EffectLibrary &library() const { return m_library; }

private:
    class Player;

    explicit SdlHapticControl(std::unique_ptr<Player> player);

    EffectLibrary m_library;
    std::unique_ptr<Player> m_player;
};

} // namespace pelnori
