// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gamelog.h"

namespace pelnori {

Q_LOGGING_CATEGORY(lcStore, "pelnori.store", QtWarningMsg)

} // namespace pelnori
