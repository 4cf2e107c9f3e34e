// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <algorithm>
#include <cmath>

namespace pelnori {

// Positions and sizes are kept in twips; 15 twips make one pixel at 96 dpi,
// at the window's designed size.
inline constexpr float kTwipsPerPixel = 15.0f;

namespace detail {
inline float twipsScale = 1.0f;
} // namespace detail

// The size the player chose for the window, in percent of its design (100,
// 150, 200 or 300). Every conversion between twips and pixels follows it, so
// the controls, the cards' places, the window's own place on the screen and
// the shake's steps all scale alike. Only the window's thread reads or sets
// it; whoever sets it lays the window out again.
inline void setZoomPercent(int percent)
{
    detail::twipsScale = static_cast<float>(percent) / 100.0f;
}

inline int zoomPercent()
{
    return static_cast<int>(std::lround(detail::twipsScale * 100.0f));
}

inline float zoomScale()
{
    return detail::twipsScale;
}

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips * detail::twipsScale / kTwipsPerPixel));
}

inline float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * kTwipsPerPixel / detail::twipsScale;
}

// A size drawn in pixels at the design's scale (a border, a ring, a rule),
// at the player's: never thinner than one pixel.
inline int scaledPixels(int pixels)
{
    return std::max(1, static_cast<int>(std::lround(static_cast<float>(pixels) * detail::twipsScale)));
}

// A rectangle given in twips, in pixels at the window's size.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(static_cast<float>(left)), twipsToPixels(static_cast<float>(top)),
            twipsToPixels(static_cast<float>(width)), twipsToPixels(static_cast<float>(height))};
}

} // namespace pelnori
