// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/platform.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTime>

#include <functional>
#include <random>

class QWidget;

namespace pelnori {

// The platform services over Qt: message boxes titled "Pelnori", blocking
// sleeps, the clock, a random generator, the program's folder and the event
// queue.
class QtPlatform : public Platform
{
public:
    // Milliseconds since midnight on the system's wall clock.
    using WallClock = std::function<int()>;

    // The wall clock is read once, here; from then on the time of day runs
    // on a monotonic clock, so setting the system time does not move it.
    explicit QtPlatform(const WallClock &wallClock = [] { return QTime::currentTime().msecsSinceStartOfDay(); });

    // Message boxes are centred on this window once it exists.
    void setMainWindow(QWidget *window) { m_window = window; }

    void messageBox(const QString &text, MessageIcon icon) override;
    bool messageBoxWithChoice(const QString &text, MessageIcon icon, const QString &choice) override;
    int messageBoxWithChoices(const QString &text, MessageIcon icon, const QStringList &choices) override;
    void sleep(int milliseconds) override;
    float secondsSinceMidnight() override;
    void reseedRandom() override;
    float nextRandom() override;
    // Throws FileReadError when the folder's name cannot be used.
    QString programFolder() override;
    void yieldEvents() override;
    float screenWidthTwips() override;
    float screenHeightTwips() override;
    void endProgram() override;
    bool hasEnded() const override { return m_ended; }

    // The folder of the program at path (bytes, as /proc/self/exe gives it),
    // as Qt's file classes reach it whatever bytes its name holds. Throws
    // FileReadError, saying which folder and why, when there is no way to it.
    static QString folderOfProgram(const QByteArray &path);

    static QString title();

private:
    QWidget *messageParent() const;

    QPointer<QWidget> m_window;
    QElapsedTimer m_sinceStart;
    qint64 m_startOfDayMs = 0;
    std::mt19937_64 m_engine;
    bool m_ended = false;
    QString m_programFolder; // once found
};

} // namespace pelnori
