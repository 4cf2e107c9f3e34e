// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>

#include <string>

namespace pelnori {

// A controller's device node, opened a second time beside SDL's own
// descriptor so that the playback thread can sleep until input comes: the
// kernel hands every reader of an input node every event. Linux only;
// elsewhere no node opens and controllers are polled.
namespace padnode {

// The evdev node SDL reads the controller from; empty when it has none
// (virtual controllers) or reads it otherwise. A hidraw node is not taken:
// some pads send reports on it all the time, touched or not.
std::string ofController(SDL_GameController *controller);
// The node opened for reading without blocking, or -1.
int open(const std::string &path);
enum class Read { Nothing, Input, Gone };
// Reads everything the node holds. Gone: unplugged or closed, never to
// wake the thread again.
Read drain(int node);
void close(int node);

} // namespace padnode

} // namespace pelnori
