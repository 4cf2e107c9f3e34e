// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"

#include <QString>

namespace pelnori {

// Where a player's settings are kept between runs: an INI file, on Linux
// $XDG_CONFIG_HOME/pelnori/pelnori.conf. Reading never fails: a value that
// is missing, out of range or unreadable, or a broken file, gives that
// setting's default, and the reason is logged. The file is written only when
// save() is called, so a run that never saves leaves no file behind.
class SettingsStore
{
public:
    // The store at the platform's config location.
    SettingsStore();
    // The store at path, for tests and for --config style overrides.
    explicit SettingsStore(QString path);

    QString path() const { return m_path; }

    Settings load() const;
    // Writes every setting. False when they could not be kept (a file where
    // the folder should be, a full disk, no permission); the settings still
    // hold for this run, and the caller tells the player.
    bool save(const Settings &settings) const;

private:
    void setAsideIfBroken() const;

    QString m_path;
};

// What the settings dialog's OK keeps: what the player chose there, except
// that a setting this run took from the command line (pairs, strength, size,
// sound, who plays), shown in the dialog and left alone, stays as saved, so
// an option for one run never becomes the player's setting by the way.
Settings keptSettings(const Settings &saved, const Settings &shown, const Settings &chosen);

} // namespace pelnori
