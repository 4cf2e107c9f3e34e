// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace pelnori {

// Positions and sizes are kept in twips; 15 twips make one pixel at 96 dpi.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline constexpr float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * kTwipsPerPixel;
}

} // namespace pelnori
