// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace pelnori {

inline constexpr double kSecondsPerDay = 86400.0;

// Seconds since midnight rounded to a whole second, halves to the even
// neighbour (100.5 gives 100, 101.5 gives 102).
std::int32_t roundHalfToEven(double seconds);

// The clock's display: the value rounded to a whole number (halves away from
// zero), all its digits, no grouping; empty when it rounds to 0.
QString formatElapsed(double seconds);

// Seconds from start to now on the seconds-since-midnight counter. The
// counter restarts at midnight, so a reading before the start is taken as
// the next day's.
double elapsedSeconds(float now, std::int32_t start);

} // namespace pelnori
