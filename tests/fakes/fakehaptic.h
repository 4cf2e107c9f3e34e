// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pelnori::test {

// A scripted effect file: the names it holds, or an open result to return
// instead of a handle, or an error to raise.
struct FakeFile
{
    QStringList names = {};
    std::optional<std::int32_t> openResult = std::nullopt; // returned as the handle when set
    bool openThrows = false;
    std::optional<std::int32_t> countResult = std::nullopt; // replaces names.size() when set
    bool countThrows = false;
    OpenFailure failure = {}; // why an open below -1 failed
};

// A haptic control that plays nothing and records every call. Handles count
// up from 1, as the real control's do, so 0 never names a file; each open of
// a known path gives a new handle.
class FakeHaptic : public HapticInterface
{
public:
    bool answered(std::chrono::milliseconds wait) override;
    bool ForceDeviceAttached() override;
    std::int32_t OpenForceResource(const QString &path) override;
    OpenFailure lastOpenFailure() override { return m_lastFailure; }
    std::int32_t GetNumberOfEffects(std::int32_t handle) override;
    QString GetNameOfEffect(std::int16_t index, std::int32_t handle) override;
    void StartEffect(const QString &name, std::int32_t handle) override;
    bool soundOn() override;
    bool soundOutputWorks() override;
    bool turnSoundOn() override;
    void setStrength(int percent) override { strength = percent; }
    void setPlayer(std::optional<int> to) override { player = to; }

    // Adds a file of n effects named "fx0" … at path.
    void addFile(const QString &path, int effectCount);

    QHash<QString, FakeFile> files;
    bool attached = true;
    // The deadlines the device layer misses, one per call of answered(); it
    // answers at the next. Until then the device and sound calls raise
    // HapticError.
    int deadlinesMissed = 0;
    bool attachedThrows = false;
    bool startThrows = false;
    bool sound = false;      // effects heard; with audioWorks the control counts as attached
    bool audioWorks = false; // whether an audio output would open
    int strength = 100;      // the last percent set
    QStringList calls;          // "Open /p", "Count 1", "Name 3 1", "Start fx1 1", "Attached"
    QStringList started;        // names given to StartEffect
    std::optional<int> player;  // the last player set
    QStringList feltBy;         // per StartEffect: "1" or "2" for the player's controller, "-" for the usual
    QStringList *log = nullptr; // shared order log, see FakePlatform::log

private:
    QHash<std::int32_t, QString> m_opened; // handle -> path
    std::int32_t m_nextHandle = 1;
    OpenFailure m_lastFailure;
    int m_deadlines = 0; // calls of answered() so far
    void record(const QString &call);
    void refuseUnanswered() const;
};

} // namespace pelnori::test
