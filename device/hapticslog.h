// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

#include <atomic>

namespace pelnori {

// What the haptic control finds, which device it chooses and why, and every
// SDL call that fails. Silent unless turned on, for example with
// QT_LOGGING_RULES="pelnori.haptics=true".
Q_DECLARE_LOGGING_CATEGORY(lcHaptics)

// A playback thread the program no longer waits for (its quit timed out in
// a blocking driver call) must touch nothing of the process once that call
// returns: the process may be destroying its statics meanwhile. The thread
// marks itself with the flag the program sets when it leaves it behind.
void markPlaybackThread(const std::atomic<bool> *leftBehind);
// True on a playback thread that the program has left behind.
bool threadLeftBehind();

// qCInfo(lcHaptics) for code that runs on the playback thread: nothing on a
// thread left behind.
#define HAPTICS_INFO if (::pelnori::threadLeftBehind()) {} else qCInfo(::pelnori::lcHaptics)

// Logs that an SDL call failed, with SDL's own reason. SDL keeps that reason
// per thread, so this is called on the thread that made the call. Nothing on
// a thread left behind.
void logSdlFailure(const char *call);

} // namespace pelnori
