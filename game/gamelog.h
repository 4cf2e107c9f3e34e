// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace pelnori {

// What the game makes of what it keeps between runs: a saved setting it
// could not use and the default it took instead, a records file it set
// aside. Warnings pass by default; QT_LOGGING_RULES="pelnori.store=false"
// silences them.
Q_DECLARE_LOGGING_CATEGORY(lcStore)

} // namespace pelnori
