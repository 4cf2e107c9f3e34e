// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/settingsstore.h"

#include <QStandardPaths>

namespace pelnori {

SettingsStore::SettingsStore()
    : SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QStringLiteral("/pelnori/pelnori.conf"))
{
}

SettingsStore::SettingsStore(QString path)
    : m_path(std::move(path))
{
}

} // namespace pelnori
