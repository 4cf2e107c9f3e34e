// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"
#include "game.h"
#include <common/common.h>
#include "../common/common.h"
#include <QString>
#include <vector>
