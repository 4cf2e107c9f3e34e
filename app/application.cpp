// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/commandline.h"
#include "app/commondialog.h"
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/padrelay.h"
#include "app/qpaplatform.h"
#include "app/qtplatform.h"
#include "game/globals.h"
#include "device/controlfactory.h"
#include "device/sdlhapticcontrol.h"
#include "translations/language.h"
#include "translations/translations.h"

#include <QApplication>

namespace pelnori {

int runPelnori(int argc, char *argv[])
{
    const QStringList arguments = argumentsOf(argc, argv);
    const CommandLine commandLine = readCommandLine(arguments);
    // The language is chosen once, before anything is said.
    const QString language = chooseLanguage(preferredLanguages(), shippedLanguages());
    if (commandLine.exitCode) {
        // Said in the player's language, without a display.
        const QCoreApplication core(argc, argv);
        const Translations texts(language);
        return endAsAsked(readCommandLine(arguments));
    }

    selectQtPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelnori"));
    // A dock ties the window to its desktop entry by this name (on Wayland)
    // and by the class Pelnori, the entry's StartupWMClass (on X11).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pelnori.Pelnori"));
    QApplication::setApplicationVersion(QStringLiteral(PELNORI_VERSION));
    // The program ends when its window is unloaded, and only then.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    // Before the first message box; Qt's own dialogs speak the same language.
    const Translations texts(language);

    QtPlatform platform;
    Globals globals;
    auto dialog = std::make_unique<CommonDialog>();
    CommonDialog &dialogRef = *dialog;
    frmMain window(platform, globals, std::move(dialog));
    dialogRef.setParentWidget(&window);
    platform.setMainWindow(&window);
    if (!window.Form_Load(hapticControlFactory({.sound = commandLine.sound})))
        return 1;
    // Game controllers move the selection and turn cards; gone before the window.
    std::unique_ptr<PadRelay> pads;
    if (auto *control = dynamic_cast<SdlHapticControl *>(globals.HapticControl.get()))
        pads = std::make_unique<PadRelay>(window, *control);
    window.show();
    return QApplication::exec();
}

} // namespace pelnori
