// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/effectfilecheck.h"

#include "common/errors.h"

#include <limits>

namespace pelnori {

namespace {

// The count as read, or none when it cannot be read or does not fit 16 bits.
std::optional<std::int16_t> readCount(HapticInterface &control, std::int32_t handle)
{
    std::optional<std::int16_t> count;
    skipOnError([&] {
        const std::int32_t n = control.GetNumberOfEffects(handle);
        if (n >= std::numeric_limits<std::int16_t>::min() && n <= std::numeric_limits<std::int16_t>::max())
            count = static_cast<std::int16_t>(n);
    });
    return count;
}

} // namespace

EffectFileCheck judgeOpenedFile(HapticInterface &control, std::int32_t handle, int pairs)
{
    if (handle < -1) {
        EffectFileCheck check{EffectFileVerdict::OpenFailed};
        skipOnError([&] { check.failure = control.lastOpenFailure(); });
        return check;
    }
    const std::optional<std::int16_t> count = readCount(control, handle);
    if (count.value_or(0) >= pairs)
        return {};
    return {EffectFileVerdict::TooFewEffects, {}, count, pairs};
}

EffectFileCheck checkEffectFile(HapticInterface &control, const QString &path, int pairs)
{
    std::int32_t handle = 0;
    skipOnError([&] { handle = control.OpenForceResource(path); });
    return judgeOpenedFile(control, handle, pairs);
}

} // namespace pelnori
