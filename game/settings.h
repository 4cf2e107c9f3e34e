// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

// Who plays a game: one player alone, two taking turns, or one against the
// computer.
enum class Players { One, Two, Computer };

// How well the computer remembers the cards it has seen.
enum class ComputerLevel { Easy, Normal, Strong };

// What a player sets to themselves. Every default is the game as designed,
// so a run with nothing saved looks and plays exactly as it always has.
struct Settings
{
    // Pairs in play: 4, 6 or 8. Four use the top two rows of the grid, six
    // the top three.
    int pairs = 8;
    // Percent of every effect's strength as sent to the device, and of the
    // sound's volume when playing by ear: 10 to 100 in steps of 10.
    int strength = 100;
    // Percent of the window's designed size: 100, 150, 200 or 300.
    int zoom = 100;
    // Card faces drawn for low vision.
    bool highContrast = false;

    // The controller to use when several are attached: empty for the first
    // in the usual order, else the identifier the device layer gives it.
    QString controller;
    // The controller buttons for the four actions, by SDL's names for them
    // ("a", "b", "x", "y", "start", "back", "leftshoulder", …).
    QString turnButton = QStringLiteral("a");
    QString startButton = QStringLiteral("start");
    QString readFileButton = QStringLiteral("x");
    QString stateButton = QStringLiteral("y");
    // Percent of the stick's travel that does nothing: 10 to 50. At 25 a
    // tilt steps from half way and ends back inside a quarter, as designed.
    int deadZone = 25;

    // Every effect is also heard, as with --sound.
    bool sound = false;
    // The interface's language: empty for the desktop's choice, else "ja" or
    // "en". Read once at start-up.
    QString language;

    Players players = Players::One;
    ComputerLevel computerLevel = ComputerLevel::Normal;
    // With two controllers, the second is player 1's and the first player 2's.
    bool swapControllers = false;

    // Each game is appended to the play journal.
    bool journal = false;

    bool operator==(const Settings &) const = default;
};

} // namespace pelnori
