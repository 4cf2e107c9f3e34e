// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cardbox.h"

#include <QPixmap>
#include <QSize>

namespace pelnori {

// A card face drawn for low vision, filling size, told apart from the other
// two by its shape and its brightness, not by colour: face down, a dark card
// with bold white stripes; open, a white card with a thick black ring;
// matched, a black card with a bold white check. Each keeps a white band
// along its edge, so the focus mark, black, stays visible where it lies over
// the card at the window's edge.
QPixmap contrastFace(CardFace face, QSize size);

} // namespace pelnori
