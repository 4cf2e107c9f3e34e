// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"

#include <QString>

#include <string_view>
#include <vector>

namespace pelnori {

// What an effect file may cost: larger files and more effects are refused.
inline constexpr qint64 kMaxEffectFileBytes = 1024 * 1024;
inline constexpr int kMaxEffectsPerFile = 1000;

// One reason a file is refused, at a 1-based line and column (0 when the
// problem belongs to the whole file).
struct EffectFileProblem
{
    // What kind of fault it is, for a caller that words it in its own
    // language: anything in the effects is Content.
    enum class Kind { Content, Syntax, NoPath, Missing, Folder, NotRegularFile, TooLarge, NoPermission, Unreadable, NoMemory };

    int line = 0;
    int column = 0;
    QString message;
    Kind kind = Kind::Content;
    // The system's own words for Unreadable, the size in bytes for TooLarge.
    QString detail = {};
};

// A 1-based line and column of an effect file.
struct EffectFilePosition
{
    int line = 0;
    int column = 0;
};

// The effects of a file in file order, or the problems that refuse it. A file
// with any problem has no effects.
struct ParsedEffectFile
{
    EffectList effects;
    // Where each effect's name stands, in the order of effects.
    std::vector<EffectFilePosition> namePositions;
    std::vector<EffectFileProblem> problems;

    bool ok() const { return problems.empty(); }
};

// The word an effect file writes for the type ("sawtooth-up", …).
QString effectTypeWord(EffectType type);

// Turns the bytes of an effect file into effects. Pure: no file access.
ParsedEffectFile parseEffectFile(std::string_view bytes);

// Reads and parses the file at path; a missing, unreadable or oversized file
// gives one problem.
ParsedEffectFile readEffectFile(const QString &path);

} // namespace pelnori
