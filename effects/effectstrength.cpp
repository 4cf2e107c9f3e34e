// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectstrength.h"

#include <algorithm>

namespace pelnori {

Effect atStrength(Effect effect, int percent)
{
    const double factor = std::clamp(percent, kMinStrengthPercent, kMaxStrengthPercent) / 100.0;
    for (double *level : {&effect.magnitude, &effect.offset, &effect.rampStart, &effect.rampEnd, &effect.strong,
                          &effect.weak})
        *level *= factor;
    return effect;
}

} // namespace pelnori
