// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace pelnori {

// One card of the practice board: the open card's picture in a sunken frame,
// as the game shows a turned card, with the effect's name beneath. It is a
// button named by the effect, for the screen reader too; a click, Space,
// Return, the keypad's Enter or the screen reader's press action turn it.
// The arrow keys are left to the board.
class PracticeCard : public QAbstractButton
{
    Q_OBJECT

public:
    // nameWidth: the room for the name in pixels, the same for every card
    // of a board; a longer name is cut short with an ellipsis.
    PracticeCard(const QString &name, const QPixmap &face, int nameWidth, QWidget *parent);

    const QString &name() const { return m_name; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect cardRect() const;

    QString m_name;
    QPixmap m_face;
    int m_nameWidth;
};

// Makes the practice cards known to screen readers. Safe to call more than once.
void installPracticeCardAccessibility();

} // namespace pelnori
