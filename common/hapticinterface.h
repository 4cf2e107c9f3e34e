// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace pelnori {

// Raised by a haptic control when a call cannot be carried out (unknown handle,
// index out of range, unknown effect name, device gone). The game's
// skip-and-continue handlers swallow it statement by statement.
class HapticError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Why an effect file did not open, for the player's message.
struct OpenFailure
{
    enum class Kind {
        None, // no reason known
        NoPath,
        Missing,
        Folder,
        NotRegularFile, // a FIFO, a device, a socket
        TooLarge,
        NoPermission,
        Unreadable,
        NotToml,    // at line and column
        BadContent, // at line and column: a key, a value, an effect
        NoMemory,
    };
    Kind kind = Kind::None;
    // 1-based place in the file; 0 when the reason concerns the whole file.
    int line = 0;
    int column = 0;
    // The system's words for Unreadable; the size in bytes for TooLarge.
    QString detail = {};
};

// The haptic control that plays force-feedback effects. One instance lives as
// long as the program. Handles below -1 from OpenForceResource mean the file
// did not open; -1 and above are handles.
class HapticInterface
{
public:
    virtual ~HapticInterface() = default;

    // Whether the device layer has answered since the control was made,
    // waiting at most wait for it. A device may be attached and only slow
    // (a driver that blocks): until the layer answers, the device calls and
    // the sound's raise HapticError, so ForceDeviceAttached() cannot tell.
    virtual bool answered(std::chrono::milliseconds wait) = 0;
    // True when at least one device that can play effects is attached.
    virtual bool ForceDeviceAttached() = 0;
    // Opens the effect file at path; never throws for a bad file, returns < -1.
    virtual std::int32_t OpenForceResource(const QString &path) = 0;
    // Why the last OpenForceResource gave < -1; Kind::None after one that
    // opened, or when the control cannot tell.
    virtual OpenFailure lastOpenFailure() = 0;
    // Number of effects of an open resource; throws HapticError for an unknown handle.
    virtual std::int32_t GetNumberOfEffects(std::int32_t handle) = 0;
    // Name of effect index of the resource; throws HapticError when out of range.
    virtual QString GetNameOfEffect(std::int16_t index, std::int32_t handle) = 0;
    // Starts the named effect and returns at once; throws HapticError on failure.
    virtual void StartEffect(const QString &name, std::int32_t handle) = 0;

    // Playing by ear, for a player without a device. Whether every effect is
    // also heard; then an audio output that is heard counts as an attached
    // device.
    virtual bool soundOn() = 0;
    // Whether the effects can be heard here: the control's own output when
    // the sound is on and it works, else an output tried without a sound and
    // closed again, in a bounded time. An output that plays nothing (SDL's
    // dummy driver) does not count. The control stays as it was.
    virtual bool soundOutputWorks() = 0;
    // Every effect is heard from now on, as when the control was made with
    // sound; true when the audio output opened and is heard.
    virtual bool turnSoundOn() = 0;

    // Every effect from now on plays at percent (10 to 100) of its strength:
    // each motor level and each native effect's magnitude sent to a device,
    // and the volume of what is heard when playing by ear. 100 as designed.
    virtual void setStrength(int percent) = 0;
    // Every effect from now on plays on this player's controller (0 or 1)
    // when two are attached; empty, or with one controller, on the device
    // chosen as usual.
    virtual void setPlayer(std::optional<int> player) = 0;
};

// A game lays the file's first effects as pairs, as many as the player chose
// pairs and at most eight: the names it asks for are those of effects 0 to 7.
inline constexpr int kEffectsPerGame = 8;

// Creates the control registered under a programmatic identifier; empty when
// there is none or it cannot be created on this machine.
using HapticFactory = std::function<std::unique_ptr<HapticInterface>(const QString &progId)>;

// The programmatic identifier the program creates its control from.
inline constexpr auto kHapticControlId = "Haptics.ForceControl";

} // namespace pelnori
