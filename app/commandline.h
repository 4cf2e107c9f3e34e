// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pelnori {

// What the command line asks for. When the program is to end before it
// starts (help, version, a mistake), exitCode is set and the two texts say
// what goes to standard output and standard error.
struct CommandLine
{
    bool sound = false;
    // For this run only, instead of what is saved.
    std::optional<int> pairs;
    std::optional<int> strength;
    std::optional<int> zoom;
    std::optional<int> exitCode;
    QString standardOutput;
    QString standardError;
};

// Reads the arguments, the program's own path first. Pure: prints nothing and
// needs no application object, so help and version work without a display.
// Its texts are in the language of the installed translations, if any.
// Qt's own options (-platform, -style, …) are let through for QApplication.
CommandLine readCommandLine(const QStringList &arguments);

// The saved settings with what the command line asks for this run.
Settings withOverrides(Settings settings, const CommandLine &commandLine);

// The process's arguments as text.
QStringList argumentsOf(int argc, char *argv[]);

// Prints the texts of a command line that ends the program; returns its exit code.
int endAsAsked(const CommandLine &commandLine);

} // namespace pelnori
