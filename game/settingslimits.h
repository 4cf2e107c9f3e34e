// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>

namespace pelnori {

// The values each setting may take. The dialog offers these and the store
// keeps nothing else; anything outside gives that setting's default.
inline constexpr std::array kPairChoices{4, 6, 8};
inline constexpr std::array kZoomChoices{100, 150, 200, 300};
inline constexpr int kStrengthMin = 10;
inline constexpr int kStrengthMax = 100;
inline constexpr int kStrengthStep = 10;
inline constexpr int kDeadZoneMin = 10;
inline constexpr int kDeadZoneMax = 50;

inline bool validPairs(int pairs)
{
    return std::find(kPairChoices.begin(), kPairChoices.end(), pairs) != kPairChoices.end();
}

inline bool validZoom(int zoom)
{
    return std::find(kZoomChoices.begin(), kZoomChoices.end(), zoom) != kZoomChoices.end();
}

inline bool validStrength(int strength)
{
    return strength >= kStrengthMin && strength <= kStrengthMax && strength % kStrengthStep == 0;
}

inline bool validDeadZone(int deadZone)
{
    return deadZone >= kDeadZoneMin && deadZone <= kDeadZoneMax;
}

// The controller buttons an action may be given, by SDL's names for them.
// The d-pad is left out, as it moves the selection, and so are Back, which
// opens the menu, and Guide, which the desktop often keeps for itself.
inline QStringList controllerButtonNames()
{
    return {QStringLiteral("a"),         QStringLiteral("b"),
            QStringLiteral("x"),         QStringLiteral("y"),
            QStringLiteral("start"),     QStringLiteral("leftstick"),
            QStringLiteral("rightstick"), QStringLiteral("leftshoulder"),
            QStringLiteral("rightshoulder"), QStringLiteral("misc1"),
            QStringLiteral("paddle1"),   QStringLiteral("paddle2"),
            QStringLiteral("paddle3"),   QStringLiteral("paddle4"),
            QStringLiteral("touchpad")};
}

} // namespace pelnori
