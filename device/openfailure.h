// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"
#include "effects/effectfile.h"

#include <vector>

namespace pelnori {

// The reader's first problem with a file as the contract tells it; Kind::None
// when there is none.
OpenFailure openFailureOf(const std::vector<EffectFileProblem> &problems);

} // namespace pelnori
