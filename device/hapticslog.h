// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace pelnori {

// What the haptic control finds, which device it chooses and why, and every
// SDL call that fails. Silent unless turned on, for example with
// QT_LOGGING_RULES="pelnori.haptics=true".
Q_DECLARE_LOGGING_CATEGORY(lcHaptics)

// Logs that an SDL call failed, with SDL's own reason. SDL keeps that reason
// per thread, so this is called on the thread that made the call.
void logSdlFailure(const char *call);

} // namespace pelnori
