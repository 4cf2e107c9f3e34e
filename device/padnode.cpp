// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/padnode.h"

#include <string_view>

#ifdef __linux__
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pelnori::padnode {

std::string ofController([[maybe_unused]] SDL_GameController *controller)
{
#if defined(__linux__) && SDL_VERSION_ATLEAST(2, 24, 0)
    const char *path = SDL_JoystickPath(SDL_GameControllerGetJoystick(controller));
    if (path && std::string_view(path).starts_with("/dev/input/event"))
        return path;
#endif
    return {};
}

#ifdef __linux__

int open(const std::string &path)
{
    return path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

Read drain(int node)
{
    // Events are 24 bytes; a press with its report is a few of them.
    char buffer[512];
    Read result = Read::Nothing;
    // Bounded: a stick that never rests must not keep the thread here.
    for (int reads = 0; reads < 64; ++reads) {
        const auto got = ::read(node, buffer, sizeof buffer);
        if (got > 0) {
            result = Read::Input;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return result;
        return Read::Gone; // end of file, or the device is gone (ENODEV)
    }
    return result;
}

void close(int node)
{
    if (node >= 0)
        ::close(node);
}

#else

int open(const std::string &)
{
    return -1;
}

Read drain(int)
{
    return Read::Nothing;
}

void close(int) {}

#endif

} // namespace pelnori::padnode
