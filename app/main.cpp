// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "game/globals.h"

#include <QApplication>

#ifdef PELNORI_TEST_DEVICE
#include "haptics/virtualtestdevice.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelnori"));
    // The program ends when its window is unloaded, and only then.
    QApplication::setQuitOnLastWindowClosed(false);
    pelnori::installFontSubstitutions();

    pelnori::QtPlatform platform;
    pelnori::Globals globals;
#ifdef PELNORI_TEST_DEVICE
    pelnori::attachVirtualTestController();
#endif
    pelnori::frmMain window(platform, globals, nullptr);
    platform.setMainWindow(&window);
    if (!window.Form_Load(pelnori::createHapticControl))
        return 1;
    window.show();
    return QApplication::exec();
}
