// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pelnori {

inline constexpr int kCardCount = 16;

// The main window as the game sees it: card positions in twips, card pictures,
// the texts of the boxes and labels, the clock's timer and the window's own
// position. Positions read back exactly what was written.
class Board
{
public:
    virtual ~Board() = default;

    virtual float cardLeft(int card) const = 0;
    virtual float cardTop(int card) const = 0;
    virtual void setCardLeft(int card, float twips) = 0;
    virtual void setCardTop(int card, float twips) = 0;
    // A card's picture changes in two steps: cleared, then loaded from a file.
    virtual void clearCardPicture(int card) = 0;
    // Throws ImageLoadError when the file cannot be read as an image.
    virtual void loadCardPicture(int card, const QString &path) = 0;

    virtual QString effectPath() const = 0;               // txtLoadIFR
    virtual void setEffectPath(const QString &text) = 0;
    virtual void setInfo(const QString &text) = 0;        // lblinfo
    virtual void setRemaining(const QString &text) = 0;   // txtNokori
    virtual QString elapsed() const = 0;                  // txtTime
    virtual void setElapsed(const QString &text) = 0;
    virtual void setTimerInterval(int milliseconds) = 0;  // Timer1; 0 stops it

    // Cards 0 to count - 1 are in play; the others are hidden and out of reach
    // of the keys, the controller and a screen reader.
    virtual void setCardsInPlay(int count) = 0;

    // Paints what has changed now, before a blocking pause.
    virtual void repaintNow() = 0;

    virtual float windowLeft() const = 0;
    virtual float windowTop() const = 0;
    virtual float windowWidth() const = 0;
    virtual float windowHeight() const = 0;
    virtual void setWindowLeft(float twips) = 0;
    virtual void setWindowTop(float twips) = 0;
};

// The grid place of a card, in twips.
inline constexpr float gridLeft(int card) { return 960.0f * static_cast<float>(card % 4); }
inline constexpr float gridTop(int card) { return 1200.0f + 900.0f * static_cast<float>(card / 4); }

} // namespace pelnori
