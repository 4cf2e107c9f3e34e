// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

// The whole program: the Qt application, start-up, the window and its event
// loop. Returns the process's exit code.
int runPelnori(int argc, char *argv[]);

} // namespace pelnori
