// SPDX-License-Identifier: GPL-3.0-or-later

// pelnori-fx: a tool for people who write effect files. It lists the
// force-feedback devices SDL sees, checks a file the way the game reads it,
// and plays one effect on the device the game would use.

#include "haptics/effectfile.h"
#include "haptics/effectrenderer.h"
#include "haptics/sdlhapticcontrol.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <chrono>

namespace pelnori {
namespace {

// The game refuses files with fewer effects: a game uses the first eight.
constexpr int kEffectsPerGame = 8;

enum Exit { Ok = 0, Refused = 1, Usage = 2 };

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

std::unique_ptr<SdlHapticControl> startControl()
{
    auto control = SdlHapticControl::create();
    if (!control)
        err() << "pelnori-fx: SDL's joystick and haptic support cannot start on this machine\n";
    return control;
}

// Parses the arguments of one command; shows its help and leaves on --help.
// arguments are the program's own, the command first.
QStringList commandArguments(const QStringList &arguments, const QString &syntax, const QString &description,
                             const QList<std::pair<QString, QString>> &positionals)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    const QString command = syntax.section(QLatin1Char(' '), 0, 0);
    parser.addPositionalArgument(command, QString(), command);
    for (const auto &[name, help] : positionals)
        parser.addPositionalArgument(name, help);
    parser.process(arguments);
    QStringList values = parser.positionalArguments();
    values.removeFirst();
    if (values.size() != positionals.size()) {
        err() << "usage: pelnori-fx " << syntax << "\n";
        err().flush();
        std::exit(Usage);
    }
    return values;
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
                       "FILE:LINE:COLUMN: message (0:0 for the whole file) and exits with 1; "
                       "otherwise prints the effects and exits with 0."),
        {{QStringLiteral("FILE"), QStringLiteral("The effect file (.ifr) to check.")}});
    const QString &path = values.first();
    const QString shown = QDir::toNativeSeparators(path);

    ParsedEffectFile parsed = readEffectFile(path);
    if (parsed.ok() && int(parsed.effects.size()) < kEffectsPerGame) {
        parsed.problems.push_back({0, 0, QStringLiteral("the file holds %1 effects; the game needs at least %2")
                                             .arg(parsed.effects.size())
                                             .arg(kEffectsPerGame)});
    }
    if (!parsed.problems.empty()) {
        for (const EffectFileProblem &problem : parsed.problems)
            err() << shown << ':' << problem.line << ':' << problem.column << ": " << problem.message << "\n";
        return Refused;
    }

    out() << shown << ": " << parsed.effects.size() << " effects; a game uses the first " << kEffectsPerGame << "\n";
    int index = 0;
    for (const Effect &effect : parsed.effects)
        out() << (index++ < kEffectsPerGame ? "  " : "  (unused) ") << effect.name << "\n";
    return Ok;
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
    if (!control->TouchSenseDeviceAttached()) {
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
        control->stop();
        err() << "pelnori-fx: the effect did not end in time\n";
        return Refused;
    }
    return Ok;
}

} // namespace
} // namespace pelnori

int main(int argc, char *argv[])
{
    using namespace pelnori;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelnori-fx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELNORI_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists force-feedback devices, checks effect files and plays their effects.\n\n"
        "Commands:\n"
        "  devices          List the devices and what each can play.\n"
        "  check FILE       Check an effect file; exit code 0 when the game can use it.\n"
        "  play FILE NAME   Play one effect and wait for it to end.\n\n"
        "pelnori-fx COMMAND --help shows the help of a command."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("devices, check or play"));
    // Everything after the command belongs to the command, --help included.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(app);

    const QStringList positionals = parser.positionalArguments();
    if (positionals.isEmpty())
        parser.showHelp(Usage);
    const QString command = positionals.first();
    const QStringList rest = QStringList{QCoreApplication::arguments().first()} + positionals;

    if (command == QLatin1String("devices"))
        return listDevices(rest);
    if (command == QLatin1String("check"))
        return checkFile(rest);
    if (command == QLatin1String("play"))
        return playEffect(rest);
    err() << "pelnori-fx: unknown command " << command << "; see pelnori-fx --help\n";
    return Usage;
}
