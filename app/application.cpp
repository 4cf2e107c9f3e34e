// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/commandline.h"
#include "app/commondialog.h"
#include "app/controllerhooks.h"
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/launchtime.h"
#include "app/padrelay.h"
#include "app/qpaplatform.h"
#include "app/qtplatform.h"
#include "app/settingsflow.h"
#include "game/besttimestore.h"
#include "game/globals.h"
#include "game/journalfile.h"
#include "game/settingsstore.h"
#include "device/controlfactory.h"
#include "device/sdlhapticcontrol.h"
#include "translations/language.h"
#include "translations/translations.h"

#include <QApplication>

#include <algorithm>
#include <chrono>

namespace pelnori {

namespace {

// The first window, the game's or a message, must show within 3.5 s of the
// launch whatever the device's driver does. The device layer has this long
// from the launch to answer; the rest is for a busy machine to start Qt and
// show a message box.
constexpr std::chrono::milliseconds kStartDeadline{2500};

std::chrono::milliseconds startTimeLeft(std::chrono::steady_clock::time_point launched)
{
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - launched);
    return std::max(kStartDeadline - spent, std::chrono::milliseconds(0));
}

} // namespace

int runPelnori(int argc, char *argv[])
{
    const auto launched = launchTime();
    const QStringList arguments = argumentsOf(argc, argv);
    const CommandLine commandLine = readCommandLine(arguments);
    // What the player set, for this run with what the command line asks.
    const SettingsStore store;
    const Settings settings = withOverrides(store.load(), commandLine);
    // The language is chosen once, before anything is said.
    const QString language = chooseLanguage(settings.language, preferredLanguages(), shippedLanguages());
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
    // Outlives the window, whose games it keeps.
    BestTimeStore bestTimes;
    auto dialog = std::make_unique<CommonDialog>();
    CommonDialog &dialogRef = *dialog;
    frmMain window(platform, globals, std::move(dialog));
    dialogRef.setParentWidget(&window);
    platform.setMainWindow(&window);
    window.applySettings(settings);
    // The settings dialog keeps what the player sets there.
    window.settingsFlow().setStore(&store);
    window.settingsFlow().setJournalOfThisRun(commandLine.journal);
    window.game().setBestTimes(&bestTimes);
    window.journal().setFile(journalFileFor(settings.journal, commandLine.journal));
    window.journal().setPlayers(settings.players);
    if (!window.Form_Load(hapticControlFactory({.sound = settings.sound, .startTimeout = startTimeLeft(launched)})))
        return 1;
    // Game controllers move the selection and turn cards; gone before the window.
    std::unique_ptr<PadRelay> pads;
    if (auto *control = dynamic_cast<SdlHapticControl *>(globals.HapticControl.get())) {
        pads = std::make_unique<PadRelay>(window, *control);
        const ControllerHooks hooks = controllerHooks(*control, *pads);
        hooks.apply(settings);
        window.settingsFlow().setControllers(hooks);
    }
    window.show();
    return QApplication::exec();
}

} // namespace pelnori
