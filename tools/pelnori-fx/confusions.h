// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace pelnori::fx {

// pelnori-fx confusions JOURNAL... [--file F.ifr] [--plot OUT.png]: which
// effects players took for which, from play journals.
int printConfusions(const QStringList &arguments);

} // namespace pelnori::fx
