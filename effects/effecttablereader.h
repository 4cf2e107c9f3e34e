// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectfile.h"
#include "effects/tomlworkarounds.h"

#include <QHash>
#include <QString>

namespace pelnori {

// Reads the [[effect]] tables of one effect file, in file order, into its
// effects and the places of their names, and adds every problem it finds.
// Messages about an effect start with its number and, once known, its name.
// Only for the reader's own files: it brings in toml++.
class EffectTableReader
{
public:
    explicit EffectTableReader(ParsedEffectFile &out) : m_out(out) {}

    // The effect numbered number (from 1); a name already read is refused.
    void read(const toml::node &node, int number);

private:
    ParsedEffectFile &m_out;
    QHash<QString, int> m_lineOfName; // every name read so far, with its line
};

} // namespace pelnori
