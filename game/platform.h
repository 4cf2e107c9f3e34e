// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace pelnori {

enum class MessageIcon { None, Information, Warning };

// What the program asks of the platform besides the window itself. One real
// implementation over Qt; tests use fakes so every ordering is deterministic.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal message box titled with the program's title, OK button only.
    virtual void messageBox(const QString &text, MessageIcon icon) = 0;
    // The same with a second button, labelled choice, beside OK (the default);
    // true only when the player pressed it, not for OK, Escape or closing.
    virtual bool messageBoxWithChoice(const QString &text, MessageIcon icon, const QString &choice) = 0;
    // The same with a button for each choice, in order after OK (the
    // default); the index of the one the player pressed, or -1 for OK,
    // Escape or closing.
    virtual int messageBoxWithChoices(const QString &text, MessageIcon icon, const QStringList &choices) = 0;
    // A blocking pause of the user-interface thread; no events are handled.
    virtual void sleep(int milliseconds) = 0;
    // Seconds since midnight with fractions. Setting the system time does not
    // move this clock; it restarts at 0 at midnight.
    virtual float secondsSinceMidnight() = 0;
    // Re-seeds the random generator from the time of day; later draws still
    // differ when the clock has not moved.
    virtual void reseedRandom() = 0;
    // A uniform draw in [0, 1).
    virtual float nextRandom() = 0;
    // The folder that holds the program, as the platform reports it.
    virtual QString programFolder() = 0;
    // Lets pending events run. Throws ProgramEnded when the program ended
    // while they ran, so the loop that yielded stops at once.
    virtual void yieldEvents() = 0;
    // The screen's size in twips.
    virtual float screenWidthTwips() = 0;
    virtual float screenHeightTwips() = 0;
    // Ends the program: from now on no handler runs, and the next yield throws
    // ProgramEnded.
    virtual void endProgram() = 0;
    virtual bool hasEnded() const = 0;
};

} // namespace pelnori
