// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/effectfilecheck.h"

#include "common/errors.h"

#include <limits>

namespace pelnori {

std::int16_t effectCount(HapticInterface &control, std::int32_t handle)
{
    std::int16_t count = 0;
    skipOnError([&] {
        const std::int32_t n = control.GetNumberOfEffects(handle);
        if (n >= std::numeric_limits<std::int16_t>::min() && n <= std::numeric_limits<std::int16_t>::max())
            count = static_cast<std::int16_t>(n);
    });
    return count;
}

EffectFileVerdict checkEffectFile(HapticInterface &control, const QString &path, int pairs)
{
    std::int32_t handle = 0;
    skipOnError([&] { handle = control.OpenForceResource(path); });
    if (handle < -1)
        return EffectFileVerdict::OpenFailed;
    return effectCount(control, handle) >= pairs ? EffectFileVerdict::Usable
                                                           : EffectFileVerdict::TooFewEffects;
}

} // namespace pelnori
