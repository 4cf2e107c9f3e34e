// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/clock.h"

#include <cmath>

namespace pelnori {

std::int32_t roundHalfToEven(double seconds)
{
    const double lower = std::floor(seconds);
    const double fraction = seconds - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    return static_cast<std::int32_t>(rounded);
}

QString formatElapsed(double seconds)
{
    const double rounded = std::round(seconds);
    if (rounded == 0.0 || !std::isfinite(rounded))
        return QString();
    return QString::number(static_cast<qint64>(rounded));
}

double elapsedSeconds(float now, std::int32_t start)
{
    double elapsed = static_cast<double>(now) - static_cast<double>(start);
    // The start is rounded to a whole second, so a reading up to half a
    // second before it is the same day; anything earlier is after midnight.
    if (elapsed < -1.0)
        elapsed += kSecondsPerDay;
    return elapsed;
}

} // namespace pelnori
