// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For end-to-end tests of the whole program on a machine without a
// force-feedback device; never part of the program itself.

namespace pelnori {

// Attaches an SDL virtual game controller with rumble, which the haptic
// control then plays on. When the environment variable
// PELNORI_TEST_RUMBLE_LOG names a file, every rumble command that reaches
// the controller is appended to it as "MS LOW HIGH" (ms since attaching).
// Call it once, before the haptic control is created.
void attachVirtualTestController();

} // namespace pelnori
