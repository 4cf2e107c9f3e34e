// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectlikeness.h"

#include "effects/effectrenderer.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pelnori {

namespace {

// A motor does not follow changes much shorter than this: levels are averaged
// over a window this long, centred on each millisecond (and cut short at the
// click and at the end, so that an effect does not seem to fade there).
constexpr int kSmoothingMs = 25;
// A player does not notice when a change comes this much earlier or later.
constexpr int kTimingSlackMs = 20;
// Nor lengths that differ by this much: less than the timing slack, so that a
// third more length tells apart effects from 75 ms on.
constexpr int kLengthSlackMs = 10;
// An effect has ended when its motors stay below this share of its peak.
constexpr double kFeltShare = 0.05;
// Strength counts half as much as rhythm and length.
constexpr double kStrengthWeight = 0.5;

// What the two motors play, one value per millisecond from the click.
struct Felt
{
    std::vector<double> strong;
    std::vector<double> weak;
    int lengthMs = 0;   // until the last moment anything is felt
    double peak = 0.0;  // the strongest smoothed level of either motor
};

std::vector<double> smoothed(const std::vector<double> &levels)
{
    const int n = int(levels.size());
    const int half = kSmoothingMs / 2;
    std::vector<double> sums(std::size_t(n) + 1, 0.0);
    for (int i = 0; i < n; ++i)
        sums[std::size_t(i) + 1] = sums[std::size_t(i)] + levels[std::size_t(i)];
    std::vector<double> out(levels.size());
    for (int i = 0; i < n; ++i) {
        const int from = std::max(0, i - half);
        const int to = std::min(n, i + half + 1);
        out[std::size_t(i)] = (sums[std::size_t(to)] - sums[std::size_t(from)]) / (to - from);
    }
    return out;
}

Felt feel(const Effect &effect)
{
    const int n = effectLengthMs(effect);
    std::vector<double> strong(static_cast<std::size_t>(n));
    std::vector<double> weak(static_cast<std::size_t>(n));
    double rawPeak = 0.0;
    for (int i = 0; i < n; ++i) {
        const MotorLevels levels = motorLevelsAt(effect, i + 0.5);
        strong[std::size_t(i)] = levels.strong;
        weak[std::size_t(i)] = levels.weak;
        rawPeak = std::max({rawPeak, levels.strong, levels.weak});
    }
    Felt felt;
    for (int i = n - 1; i >= 0 && rawPeak > 0.0; --i) {
        if (std::max(strong[std::size_t(i)], weak[std::size_t(i)]) >= kFeltShare * rawPeak) {
            felt.lengthMs = i + 1;
            break;
        }
    }
    felt.strong = smoothed(strong);
    felt.weak = smoothed(weak);
    for (int i = 0; i < n; ++i)
        felt.peak = std::max({felt.peak, felt.strong[std::size_t(i)], felt.weak[std::size_t(i)]});
    if (felt.peak > 0.0) {
        for (int i = 0; i < n; ++i) {
            felt.strong[std::size_t(i)] /= felt.peak;
            felt.weak[std::size_t(i)] /= felt.peak;
        }
    }
    return felt;
}

double at(const std::vector<double> &levels, int i)
{
    return i >= 0 && i < int(levels.size()) ? levels[std::size_t(i)] : 0.0;
}

// How far a's level at i is from the nearest match in b within the slack.
double distanceToNearest(const Felt &a, const Felt &b, int i)
{
    double best = 2.0;
    for (int k = -kTimingSlackMs; k <= kTimingSlackMs; ++k) {
        const double d = std::abs(at(a.strong, i) - at(b.strong, i + k)) + std::abs(at(a.weak, i) - at(b.weak, i + k));
        best = std::min(best, d);
    }
    return best;
}

// Share (0 … 1) of what is felt in the time both effects play that differs
// once each is scaled to its own peak: 0 for the same pattern on the same
// motors, 1 for nothing in common.
double rhythmDifference(const Felt &a, const Felt &b)
{
    const int common = std::min(a.lengthMs, b.lengthMs);
    double differs = 0.0;
    double felt = 0.0;
    for (int i = 0; i < common; ++i) {
        differs += std::max(distanceToNearest(a, b, i), distanceToNearest(b, a, i));
        felt += std::max(at(a.strong, i), at(b.strong, i)) + std::max(at(a.weak, i), at(b.weak, i));
    }
    return felt > 0.0 ? std::min(1.0, differs / felt) : 0.0;
}

int percent(double share)
{
    return int(std::lround(share * 100.0));
}

} // namespace

Likeness likeness(const Effect &a, const Effect &b)
{
    const Felt fa = feel(a);
    const Felt fb = feel(b);
    if (fa.peak <= 0.0 && fb.peak <= 0.0)
        return {1.0, QStringLiteral("neither is felt")};

    const double rhythm = rhythmDifference(fa, fb);
    const int longer = std::max(fa.lengthMs, fb.lengthMs);
    const int lengthGap = std::abs(fa.lengthMs - fb.lengthMs);
    const double length = double(std::max(0, lengthGap - kLengthSlackMs)) / longer;
    const double strength = std::abs(fa.peak - fb.peak) / std::max(fa.peak, fb.peak);
    const double score = std::clamp(1.0 - rhythm - length - kStrengthWeight * strength, 0.0, 1.0);

    QStringList parts;
    const bool sameRhythm = percent(rhythm) == 0;
    const bool sameLength = lengthGap == 0;
    if (sameRhythm && sameLength)
        parts << QStringLiteral("same rhythm and length");
    else {
        parts << (sameRhythm ? QStringLiteral("same rhythm")
                             : QStringLiteral("rhythms differ by %1%").arg(percent(rhythm)));
        parts << (sameLength ? QStringLiteral("same length")
                             : QStringLiteral("lengths %1 and %2 ms").arg(fa.lengthMs).arg(fb.lengthMs));
    }
    parts << (percent(strength) == 0 ? QStringLiteral("same strength")
                                     : QStringLiteral("strengths differ by %1%").arg(percent(strength)));
    return {score, parts.join(QStringLiteral("; "))};
}

} // namespace pelnori
