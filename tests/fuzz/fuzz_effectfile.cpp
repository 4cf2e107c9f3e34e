// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point: any bytes give effects or problems, never a crash, a
// hang or an exception.
#include "effects/effectfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const pelnori::ParsedEffectFile parsed =
        pelnori::parseEffectFile(std::string_view(reinterpret_cast<const char *>(data), size));
    // A refused file has no effects, and every problem says something.
    if (!parsed.ok() && !parsed.effects.empty())
        __builtin_trap();
    for (const pelnori::EffectFileProblem &problem : parsed.problems) {
        if (problem.line < 0 || problem.column < 0 || problem.message.isEmpty())
            __builtin_trap();
    }
    return 0;
}
