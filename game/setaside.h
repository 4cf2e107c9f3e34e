// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

// Moves a file the program cannot read out of the way, beside it, as
// PATH.unreadable-DATE (with a number added when that name is taken), so
// that the next write starts afresh and the player's old file is never
// overwritten. Returns the new name; empty when the file could not be moved.
QString setAside(const QString &path);

} // namespace pelnori
