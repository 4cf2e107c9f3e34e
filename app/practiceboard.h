// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <vector>

class QPixmap;

namespace pelnori {

class HapticInterface;
class Platform;
class PracticeCard;

// The practice board's entry in the window's menu, in the interface's language.
QString practiceBoardMenuText();

// Shows the practice board over parent until the player closes it: the first
// `pairs` effects of the file at effectPath, one face-up card each with its
// name, each playing its effect when turned. A file the game would refuse is
// not shown; the player is told why, as the effect-file button tells it.
// Opens the file on a handle of its own: no game starts or stops, and
// Globals, the clock and the window stay as they were. Offer it only when
// practiceBoardOffered() (game/practiceset.h) says so.
void showPracticeBoard(QWidget *parent, Platform &platform, HapticInterface &control, const QString &effectPath,
                       int pairs);

// The board: a hint, the cards four to a row and the close button. The arrow
// keys (and the controller's d-pad, as the arrow keys) move over the cards,
// Tab on to the button; Escape (the controller's B) closes it.
class PracticeBoard : public QDialog
{
    Q_OBJECT

public:
    PracticeBoard(HapticInterface &control, std::int32_t handle, const QStringList &names, const QPixmap &face,
                  QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void play(const QString &name);

    HapticInterface &m_control;
    std::int32_t m_handle;
    std::vector<PracticeCard *> m_cards;
};

} // namespace pelnori
