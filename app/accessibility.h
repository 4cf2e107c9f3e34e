// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

enum class CardFace;

// A card's name for a screen reader, by its row and column ("1行目 2列目のカード").
QString cardName(int index);
// What a card's face is called, also in what a turn says ("表向き").
QString cardFaceText(CardFace face);

// Makes the window's own controls known to screen readers (AT-SPI on Linux):
// each card is a button named by its row and column whose description says
// its face and whose press action turns it, and a label given an accessible
// name of its own exposes its text as text. Safe to call more than once.
void installAccessibility();

} // namespace pelnori
