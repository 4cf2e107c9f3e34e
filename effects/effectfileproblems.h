// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the effect-file reader words a problem and places it in the file.
// Only for the reader's own files: it brings in toml++.

#include "effects/effectfile.h"
#include "effects/tomlworkarounds.h"

#include <QString>

#include <span>
#include <string_view>

namespace pelnori {

QString fileText(std::string_view text);
// Text from the file, quoted for a message and cut short when long.
QString quotedFileText(std::string_view text);
// What a value is, as a message names it: "an integer", "a table", …
QString tomlTypeName(const toml::node &node);

void addProblem(ParsedEffectFile &out, const toml::source_position &at, const QString &message);
inline void addProblem(ParsedEffectFile &out, const toml::node &node, const QString &message)
{
    addProblem(out, node.source().begin, message);
}
// An unknown key where (a place such as "in effect 2"), with the known key
// it differs from only in case or in '_' for '-' as a suggestion.
void addUnknownKey(ParsedEffectFile &out, const toml::key &key, const QString &where,
                   std::span<const std::string_view> known);

} // namespace pelnori
