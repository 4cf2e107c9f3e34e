// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace pelnori::fx {

// The most rows one picture holds: more would make an image too tall for
// common viewers, and slow and large to draw.
inline constexpr int kMaxPlotRows = 64;

// A picture of what the two motors of a rumble pad play for each effect, one
// row per effect under a shared time axis, with title as its heading; the
// first kMaxPlotRows effects only. Needs a QGuiApplication for its text.
QImage plotImage(const EffectList &effects, const QString &title);

// pelnori-fx plot FILE [NAME...] -o OUT.png
int plotEffects(const QStringList &arguments);

} // namespace pelnori::fx
