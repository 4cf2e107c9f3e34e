// SPDX-License-Identifier: GPL-3.0-or-later

// pelnori-fx: a tool for people who write effect files. It lists the
// force-feedback devices SDL sees, checks a file the way the game reads it,
// compares and draws its effects, plays one effect on the device the game
// would use, and counts from play journals which effects players confuse.

#include "confusions.h"
#include "console.h"
#include "likeness.h"
#include "plot.h"

#include "effects/effectfile.h"
#include "common/hapticinterface.h"
#include "effects/effectrenderer.h"
#include "device/sdlhapticcontrol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <chrono>
#include <cstring>
#include <memory>

namespace pelnori::fx {
namespace {

std::unique_ptr<SdlHapticControl> startControl()
{
    auto control = SdlHapticControl::create();
    if (!control)
        err() << "pelnori-fx: SDL's joystick and haptic support cannot start on this machine\n";
    return control;
}

int listDevices(const QStringList &arguments)
{
    commandArguments(arguments, QStringLiteral("devices"),
                     QStringLiteral("Lists the force-feedback devices and what each can play. The device "
                                    "marked * is the one the game plays on."),
                     {});
    auto control = startControl();
    if (!control)
        return Usage;
    const auto devices = control->devices();
    if (devices.empty()) {
        out() << "No joystick, game controller or haptic device is attached.\n";
        return Ok;
    }
    for (const HapticDeviceInfo &device : devices) {
        out() << (device.inUse ? "* " : "  ") << device.name << " (" << device.kind << ")\n";
        out() << "    rumble: " << (device.rumble ? "yes" : "no") << "\n";
        out() << "    effects played by the device: "
              << (device.nativeTypes.isEmpty() ? QStringLiteral("none") : device.nativeTypes.join(QStringLiteral(", ")))
              << "\n";
    }
    return Ok;
}

int checkFile(const QStringList &arguments)
{
    const QStringList values = commandArguments(
        arguments, QStringLiteral("check FILE"),
        QStringLiteral("Checks an effect file the way the game reads it. Prints each problem as "
                       "FILE:LINE:COLUMN: message (0:0 for the whole file), and a warning for each two "
                       "of the game's eight effects that feel too alike on a rumble pad, and exits with 1; "
                       "otherwise prints the effects and exits with 0."),
        {{QStringLiteral("FILE"), QStringLiteral("The effect file (.ifr) to check.")}});
    const QString &path = values.first();
    const QString shown = shownArgument(path);

    ParsedEffectFile parsed;
    if (!readOrReport(path, parsed))
        return Refused;
    if (int(parsed.effects.size()) < kEffectsPerGame) {
        err() << shown << ":0:0: the file holds " << parsed.effects.size() << " effects; the game needs at least "
              << kEffectsPerGame << "\n";
        return Refused;
    }

    out() << shown << ": " << parsed.effects.size() << " effects; a game uses the first " << kEffectsPerGame << "\n";
    int index = 0;
    for (const Effect &effect : parsed.effects)
        out() << (index++ < kEffectsPerGame ? "  " : "  (unused) ") << effect.name << "\n";
    out().flush();
    return warnAboutLookalikes(shown, parsed) > 0 ? Refused : Ok;
}

int playEffect(const QStringList &arguments)
{
    const QStringList values = commandArguments(
        arguments, QStringLiteral("play FILE NAME"),
        QStringLiteral("Plays one effect of a file on the device the game would use, and waits for it to end."),
        {{QStringLiteral("FILE"), QStringLiteral("The effect file (.ifr).")},
         {QStringLiteral("NAME"), QStringLiteral("The name of the effect to play.")}});
    const QString &path = values.at(0);
    const QString &name = values.at(1);

    auto control = startControl();
    if (!control)
        return Usage;
    const auto handle = control->OpenForceResource(path);
    if (handle < -1) {
        err() << "pelnori-fx: " << QDir::toNativeSeparators(path)
              << " does not open; run pelnori-fx check on it\n";
        return Refused;
    }
    const auto effects = control->library().find(handle);
    const int index = effects->indexOf(name);
    if (index < 0) {
        err() << "pelnori-fx: the file has no effect named " << name << "\n";
        return Refused;
    }
    if (!control->ForceDeviceAttached()) {
        err() << "pelnori-fx: no device that can play effects is attached\n";
        return Refused;
    }
    for (const HapticDeviceInfo &device : control->devices()) {
        if (device.inUse)
            out() << "Playing " << name << " on " << device.name << "\n";
    }
    out().flush();

    try {
        control->StartEffect(name, handle);
    } catch (const HapticError &error) {
        err() << "pelnori-fx: " << error.what() << "\n";
        return Refused;
    }
    const auto length = std::chrono::milliseconds(effectLengthMs(effects->effects[std::size_t(index)]));
    if (!control->waitUntilIdle(length + std::chrono::seconds(2))) {
        // Ending the control stops it.
        err() << "pelnori-fx: the effect did not end in time\n";
        return Refused;
    }
    return Ok;
}

// The first argument that is no option: the command.
const char *commandOf(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-')
            return argv[i];
    }
    return "";
}

} // namespace
} // namespace pelnori::fx

int main(int argc, char *argv[])
{
    using namespace pelnori::fx;
    keepRawArguments(argc, argv);
    // Only drawing needs Qt's GUI, and it draws into an image: without a
    // platform chosen, the offscreen one does, display or not.
    const bool drawing =
        std::strcmp(commandOf(argc, argv), "plot") == 0 || std::strcmp(commandOf(argc, argv), "confusions") == 0;
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = drawing ? std::make_unique<QGuiApplication>(argc, argv)
                                                          : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelnori-fx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELNORI_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists force-feedback devices, checks, compares and draws effect files and plays their effects,\n"
        "and counts from play journals which effects players confuse.\n\n"
        "Commands:\n"
        "  devices                     List the devices and what each can play.\n"
        "  check FILE                  Check an effect file; exit code 0 when the game can use it well.\n"
        "  compare FILE                Print how alike the game's eight effects feel.\n"
        "  plot FILE [NAME...] -o OUT  Draw the motor levels of effects into a PNG image.\n"
        "  play FILE NAME              Play one effect and wait for it to end.\n"
        "  confusions JOURNAL... [--file F.ifr] [--plot OUT.png]\n"
        "                              Count from play journals which effects players confuse.\n\n"
        "pelnori-fx COMMAND --help shows the help of a command."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("devices, check, compare, plot, play or confusions"));
    // Everything after the command belongs to the command, --help included.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(*app);

    const QStringList positionals = parser.positionalArguments();
    if (positionals.isEmpty())
        parser.showHelp(Usage);
    const QString command = positionals.first();
    const QStringList rest = QStringList{QCoreApplication::arguments().first()} + positionals;

    if (command == QLatin1String("devices"))
        return listDevices(rest);
    if (command == QLatin1String("check"))
        return checkFile(rest);
    if (command == QLatin1String("compare"))
        return compareEffects(rest);
    if (command == QLatin1String("plot"))
        return plotEffects(rest);
    if (command == QLatin1String("play"))
        return playEffect(rest);
    if (command == QLatin1String("confusions"))
        return printConfusions(rest);
    err() << "pelnori-fx: unknown command " << command << "; see pelnori-fx --help\n";
    return Usage;
}
