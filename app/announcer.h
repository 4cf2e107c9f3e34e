// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace pelnori {

// Says short texts through the screen reader: a notification of the window,
// shown anew with each text. Screen readers speak a notification as it
// appears, whereas they keep quiet about a changed text of a control that
// does not have the focus. It draws nothing and takes no input.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *window);

    // What the notification says now.
    QString text() const { return m_text; }
    // Shows the notification with text, at once.
    void say(const QString &text);

private:
    QString m_text;
};

} // namespace pelnori
