// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/platform.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace pelnori::test {

struct ShownMessage
{
    QString text;
    MessageIcon icon;
    QString choice = {}; // the other buttons' labels, joined by "|"; empty for OK alone
};

// A platform whose clock, draws and yields a test sets. Every message box,
// pause and yield is recorded; `log`, when set, receives one line per call so
// a test can check the order of platform calls against other fakes.
class FakePlatform : public Platform
{
public:
    void messageBox(const QString &text, MessageIcon icon) override;
    bool messageBoxWithChoice(const QString &text, MessageIcon icon, const QString &choice) override;
    int messageBoxWithChoices(const QString &text, MessageIcon icon, const QStringList &choices) override;
    void sleep(int milliseconds) override;
    float secondsSinceMidnight() override { return clock; }
    void reseedRandom() override { ++reseeds; }
    float nextRandom() override;
    QString programFolder() override { return folder; }
    void yieldEvents() override;
    float screenWidthTwips() override { return screenWidth; }
    float screenHeightTwips() override { return screenHeight; }
    void endProgram() override { ended = true; ++endCalls; }
    bool hasEnded() const override { return ended; }

    std::vector<ShownMessage> messages;
    std::vector<int> sleeps;
    int yields = 0;
    int reseeds = 0;
    float clock = 0.0f;
    QString folder = QStringLiteral("/opt/pelnori");
    float screenWidth = 19200.0f;  // 1280 px
    float screenHeight = 15360.0f; // 1024 px
    // Draws handed out in order; when they run out, a simple generator goes on.
    std::deque<float> draws;
    unsigned fallbackState = 12345u;
    // Called inside every yield, with the yield's number (1-based).
    std::function<void(int)> onYield;
    // What the player answers to a message box with a choice: true presses it.
    bool pickChoice = false;
    // What the player presses in message boxes with several choices, in
    // order: a choice's label; OK when they run out or for an empty one.
    std::deque<QString> picks;
    // Called inside every message box, after it is recorded.
    std::function<void(const ShownMessage &)> onMessage;
    // When set, the next yield ends the program: it throws ProgramEnded.
    bool ended = false;
    int endCalls = 0;
    QStringList *log = nullptr;
};

} // namespace pelnori::test
