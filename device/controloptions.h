// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace pelnori {

// How the haptic control is made, chosen by whoever creates it.
struct ControlOptions
{
    // Every effect is also played as sound on the default audio output, and
    // an output that opens counts as a device: the game can be played by ear.
    bool sound = false;
    // How long the program waits for SDL and the first look for a device
    // before it goes on without a device (every question the start asks
    // shares this deadline), and for the playback thread to end before it
    // leaves it behind: a driver that blocks must not hold up the window or
    // the quit.
    std::chrono::milliseconds startTimeout{3000};
    std::chrono::milliseconds quitTimeout{2000};
    // The device node on which a controller's input can be waited for, by
    // the controller's name; empty to poll it. Unset, SDL names the node
    // where it can (Linux). Benchmarks stand a FIFO in for a virtual pad's.
    std::function<std::string(const std::string &name)> padNode = {};
};

} // namespace pelnori
