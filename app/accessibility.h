// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

enum class CardFace;

// A card's state as it is told: face down, face up or matched.
QString cardFaceText(CardFace face);

// Makes the window's own controls known to screen readers (AT-SPI on Linux):
// each card is a button named by its row and column whose description says
// its face and whose press action turns it, and a label given an accessible
// name of its own exposes its text as text. Safe to call more than once.
void installAccessibility();

} // namespace pelnori
