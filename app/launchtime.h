// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace pelnori {

// When the process was launched, on the steady clock: the kernel's start
// time, so that loading the program's libraries counts too. Now where the
// system does not tell.
std::chrono::steady_clock::time_point launchTime();

} // namespace pelnori
