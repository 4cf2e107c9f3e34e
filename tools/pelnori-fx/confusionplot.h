// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "confusioncount.h"

#include <QImage>
#include <QString>

namespace pelnori::fx {

// Two matrices side by side, one row and column per effect: the rate at
// which players confused each two effects, and how alike the two feel as
// pelnori-fx compare computes it; title as the heading. A pair confused more
// than its likeness predicts is framed. Needs a QGuiApplication for its text.
QImage confusionImage(const ConfusionCount &count, const QString &title);

} // namespace pelnori::fx
