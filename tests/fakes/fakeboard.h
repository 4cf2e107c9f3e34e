// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/board.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

namespace pelnori::test {

// The window reduced to its values. Cards start on the grid with no picture
// file; a picture "loads" unless its file name is in `missingFiles`.
class FakeBoard : public Board
{
public:
    FakeBoard();

    float cardLeft(int card) const override { return left[card]; }
    float cardTop(int card) const override { return top[card]; }
    void setCardLeft(int card, float twips) override { left[card] = twips; }
    void setCardTop(int card, float twips) override { top[card] = twips; }
    void clearCardPicture(int card) override;
    void loadCardPicture(int card, const QString &path) override;

    QString effectPath() const override { return path; }
    void setEffectPath(const QString &text) override { path = text; }
    void setInfo(const QString &text) override;
    void setRemaining(const QString &text) override { remaining = text; }
    QString elapsed() const override { return time; }
    void setElapsed(const QString &text) override { time = text; }
    void setTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
    void setCardsInPlay(int count) override { cardsInPlay = count; }
    void repaintNow() override;

    float windowLeft() const override { return winLeft; }
    float windowTop() const override { return winTop; }
    float windowWidth() const override { return winWidth; }
    float windowHeight() const override { return winHeight; }
    void setWindowLeft(float twips) override { winLeft = twips; }
    void setWindowTop(float twips) override { winTop = twips; }

    // The file name (without folder) each card shows, empty when cleared.
    QString face(int card) const { return pictures[card]; }
    // All sixteen faces as one letter each: b back, o open, s matched, - none, ? other.
    QString faces() const;

    std::array<float, 16> left{};
    std::array<float, 16> top{};
    std::array<QString, 16> pictures{};
    QSet<QString> missingFiles; // file names such as "Cardsumi.bmp"
    QString path;
    QString info;
    QString remaining = QStringLiteral("16");
    QString time;
    int timerInterval = 0;
    int cardsInPlay = kCardCount;
    float winLeft = 0, winTop = 0, winWidth = 3900, winHeight = 5880;
    QStringList *log = nullptr;
};

} // namespace pelnori::test
