// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace pelnori {

// A path as the system holds it (bytes) made into one that Qt's file classes
// open. A name in the locale's encoding decodes as it is. Qt cannot hold
// another one (bytes that are not UTF-8 become U+FFFD): that file or folder
// is opened once, the handle kept for the life of the program, and named
// through it, /proc/self/fd/N, which reaches the same file. Empty when it
// cannot be opened; errno then says why.
QString usablePath(const QByteArray &native);

// The path for a message: bytes that are not UTF-8 written as \xNN.
QString shownPath(const QByteArray &native);

// Whether Qt holds this path as it is.
bool decodesLosslessly(const QByteArray &native);

} // namespace pelnori
