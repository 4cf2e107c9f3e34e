// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/alsamessages.h"

#include "device/hapticslog.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace pelnori {

namespace {

// ALSA's error handler and its setter, as alsa/error.h declares them. ALSA
// is looked up at run time rather than linked: the program itself never
// talks to it, and SDL may be built without it.
using AlsaErrorHandler = void (*)(const char *file, int line, const char *function, int err, const char *format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void logAlsaMessage(const char *file, int line, const char *function, int, const char *format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    qCInfo(lcHaptics, "ALSA: %s (%s:%d, %s)", text, file, line, function);
}

} // namespace

void sendAlsaMessagesToLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The same libasound SDL uses: already loaded when SDL links it,
        // loaded here and kept when SDL would load it itself. Never closed,
        // so the handler stays in place for as long as SDL may call ALSA.
        void *alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (alsa == nullptr)
            return;
        const auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        if (set != nullptr)
            set(&logAlsaMessage);
    });
}

} // namespace pelnori
