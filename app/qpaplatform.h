// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace pelnori {

// The Qt platform plugin to ask for, from the session's environment: "xcb"
// in a Wayland session that also runs an X server (WAYLAND_DISPLAY and
// DISPLAY both set), because only on X11 can the window place itself for the
// centring and the shake. Empty, leaving the choice to Qt, when the player
// named a platform in QT_QPA_PLATFORM or there is no X server.
QByteArray chooseQtPlatform(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                            const QByteArray &display);

// Sets QT_QPA_PLATFORM as chooseQtPlatform() decides. Call it before the
// application object is created.
void selectQtPlatform();

} // namespace pelnori
