// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qpaplatform.h"

#include <QtGlobal>

namespace pelnori {

QByteArray chooseQtPlatform(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                            const QByteArray &display)
{
    if (!qpaPlatform.isEmpty() || waylandDisplay.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void selectQtPlatform()
{
    const QByteArray platform = chooseQtPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                                 qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace pelnori
