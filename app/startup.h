// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <QString>

#include <functional>
#include <memory>

namespace pelnori {

class Board;
class Platform;
struct Globals;

// Start-up before the window is shown: the default effect file in the path
// box, the haptic control created, the device checked (without one the
// player may choose to play by ear; while the device layer has not answered,
// to wait for it), the default file tested and the window centred. The
// default file must hold an effect for each of `pairs`. With the sound asked
// for, a device attached and no audio output to hear it on, the player is
// told and the game goes on. Returns false when the program cannot run; the
// player has then been told why and the program must end at once.
bool Form_Load(Board &window, Platform &platform, Globals &globals, const HapticFactory &createControl,
               int pairs = kEffectsPerGame);

// Moves the window to the middle of the screen by its outer size, in twips
// and without rounding. The outer size is the frame's once the window system
// has told it, the window's own before.
void centreWindow(Board &window, Platform &platform);

QString noControlMessage();
// noAudioEither: the sound was asked for, and the audio output failed too.
QString noDeviceMessage(bool noAudioEither = false);
// The no-device message's button that goes on with the sound on.
QString playByEarChoice();
// The device layer has not answered by the start's deadline; noAudioEither
// as for noDeviceMessage.
QString notAnsweringMessage(bool noAudioEither = false);
// That message's button that gives the device layer more time.
QString waitChoice();

} // namespace pelnori
