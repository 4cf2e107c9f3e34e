// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>

namespace pelnori {

// What the player is told, in the interface's language, when a handler fails
// with nothing to catch the error: for a failure the program knows, what
// failed with the file's path; for any other, the handler's name and the
// error's own text.
QString errorReport(const char *handler, const std::exception &error);

} // namespace pelnori
