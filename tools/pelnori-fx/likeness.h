// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectfile.h"

#include <QString>
#include <QStringList>

namespace pelnori::fx {

// Prints a FILE:LINE:COLUMN: warning for each pair of the game's eight effects
// that feel too alike, at the later one's name; gives how many there are.
int warnAboutLookalikes(const QString &shown, const ParsedEffectFile &parsed);

// pelnori-fx compare FILE: the table of likeness of the game's eight effects.
int compareEffects(const QStringList &arguments);

} // namespace pelnori::fx
