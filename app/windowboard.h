// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/board.h"

namespace pelnori {

class TurnNarration;
class frmMain;

// The board as the game and the handlers see it, over the main window: its
// cards, boxes, verdict line and clock timer, and the window's own place,
// which the window keeps.
class WindowBoard final : public Board
{
public:
    // What the game shows is also told to narration, which the window says.
    WindowBoard(frmMain &window, TurnNarration &narration);

    float cardLeft(int card) const override;
    float cardTop(int card) const override;
    void setCardLeft(int card, float twips) override;
    void setCardTop(int card, float twips) override;
    void clearCardPicture(int card) override;
    void loadCardPicture(int card, const QString &path) override;
    QString effectPath() const override;
    void setEffectPath(const QString &text) override;
    void setInfo(const QString &text) override;
    void setRemaining(const QString &text) override;
    QString elapsed() const override;
    void setElapsed(const QString &text) override;
    void setTimerInterval(int milliseconds) override;
    void setCardsInPlay(int count) override;
    void repaintNow() override;
    float windowLeft() const override;
    float windowTop() const override;
    float windowWidth() const override;
    float windowHeight() const override;
    void setWindowLeft(float twips) override;
    void setWindowTop(float twips) override;

private:
    frmMain &m_window;
    TurnNarration &m_narration;
};

} // namespace pelnori
