// SPDX-License-Identifier: GPL-3.0-or-later
#include "haptics/hapticinterface.h"

namespace pelnori {

std::unique_ptr<HapticInterface> createHapticControl(const QString &progId)
{
    Q_UNUSED(progId);
    // No device backend is built in yet: no control can be created.
    return nullptr;
}

} // namespace pelnori
