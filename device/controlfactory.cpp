// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/controlfactory.h"

#include "device/sdlhapticcontrol.h"

namespace pelnori {

std::unique_ptr<HapticInterface> createHapticControl(const QString &progId)
{
    return hapticControlFactory({})(progId);
}

HapticFactory hapticControlFactory(ControlOptions options)
{
    return [options](const QString &progId) -> std::unique_ptr<HapticInterface> {
        if (progId == QLatin1String(kHapticControlId))
            return SdlHapticControl::create(options);
        return nullptr;
    };
}

} // namespace pelnori
