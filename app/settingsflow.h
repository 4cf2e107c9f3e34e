// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/controllerhooks.h"
#include "game/settings.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace pelnori {

class HapticInterface;
class Platform;
class SettingsStore;
class frmMain;
struct Globals;

// What the Try button plays: the first effect of the file a game uses, at
// percent of its strength, with the control set back to applied afterwards,
// whatever happens. The file is the running game's when a game has opened one
// (gameHandle -1 or above), else the one in the path box. False, and nothing
// played, when there is none to play: the file does not open, holds no
// effect, or the control refuses.
bool playStrengthTrial(HapticInterface &control, std::int32_t gameHandle, const QString &path, int percent,
                       int applied);

// What waits for the next game after OK: the pairs, who plays, and the
// play journal, switched on while a game runs.
struct NextGame
{
    bool pairs = false;
    bool players = false;
    bool journal = false;
};

// What the player is told after OK, besides what they see change at once:
// each setting that waits for the next game or the next start (the
// language; the sound, turned off), one line each, in the interface's
// language. Empty when all applied at once.
QStringList settingsNotLiveYet(const Settings &before, const Settings &after, const NextGame &waiting);

// The settings dialog over the settings the window plays by. On OK the new
// settings are applied through frmMain::applySettings, at once where that is
// safe, the sound turned on if asked, the journal switched on (from the
// next game) or off, the player is told what waits, and they are kept;
// Cancel changes nothing.
class SettingsFlow
{
public:
    SettingsFlow(frmMain &window, Platform &platform, Globals &globals);

    // Where OK keeps the settings; without one they hold for this run only.
    // The store must outlive the flow.
    void setStore(const SettingsStore *store) { m_store = store; }
    // The play journal's file given for this run (--journal FILE); it stays
    // the journal's file whatever the player sets.
    void setJournalOfThisRun(const QString &file) { m_journalOfThisRun = file; }
    // The controllers' owner: the dialog lists them and captures buttons
    // through it, and OK hands it the new settings at once.
    void setControllers(ControllerHooks hooks) { m_controllers = std::move(hooks); }

    // The menu's "設定...": the dialog, modal to the window.
    void openDialog();
    // The dialog's Try button: one effect at percent, or a message saying
    // there is no effect file to try it with.
    void tryStrength(int percent);

    // The texts the player is told, in the interface's language.
    static QString appliedText();
    static QString notKeptText();
    static QString nothingToTryText();

private:
    frmMain &m_window;
    Platform &m_platform;
    Globals &m_globals;
    const SettingsStore *m_store = nullptr;
    QString m_journalOfThisRun;
    ControllerHooks m_controllers;
};

} // namespace pelnori
