// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/platform.h"

#include <QPointer>

#include <random>

class QWidget;

namespace pelnori {

// The platform services over Qt: message boxes titled "Pelnori", blocking
// sleeps, the system clock, a random generator, the program's folder and
// the event queue.
class QtPlatform : public Platform
{
public:
    QtPlatform();

    // Message boxes are centred on this window once it exists.
    void setMainWindow(QWidget *window) { m_window = window; }

    void messageBox(const QString &text, MessageIcon icon) override;
    void sleep(int milliseconds) override;
    float secondsSinceMidnight() override;
    void reseedRandom() override;
    float nextRandom() override;
    QString programFolder() override;
    void yieldEvents() override;
    float screenWidthTwips() override;
    float screenHeightTwips() override;
    void endProgram() override;
    bool hasEnded() const override { return m_ended; }

    static QString title();

private:
    QPointer<QWidget> m_window;
    std::mt19937_64 m_engine;
    bool m_ended = false;
};

} // namespace pelnori
