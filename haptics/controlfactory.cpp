// SPDX-License-Identifier: GPL-3.0-or-later
#include "haptics/controlfactory.h"

#include "haptics/sdlhapticcontrol.h"

namespace pelnori {

std::unique_ptr<HapticInterface> createHapticControl(const QString &progId)
{
    if (progId == QLatin1String(kHapticControlId))
        return SdlHapticControl::create();
    return nullptr;
}

} // namespace pelnori
