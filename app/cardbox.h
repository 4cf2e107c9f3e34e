// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/journalrecord.h"

#include <QFrame>
#include <QPixmap>
#include <QRegion>

#include <optional>

namespace pelnori {

// What a card shows of itself, as the screen reader tells it.
enum class CardFace { Down, Open, Matched };

// One card of the board: a sunken picture box that shows its picture from the
// top-left of its inner area, cut off at the edges, at the window's size
// (zoomPercent()): by whole pixels at 200 and 300 %, so its edges stay sharp,
// smoothly at 150 %. Its position is kept in twips, as written; the pixel
// position follows from it. With high contrast it shows its face drawn for
// low vision instead of the picture, wherever it has a picture.
class CardBox : public QFrame
{
    Q_OBJECT

public:
    CardBox(int index, QWidget *parent);

    int index() const { return m_index; }

    float leftTwips() const { return m_left; }
    float topTwips() const { return m_top; }
    void setLeftTwips(float twips);
    void setTopTwips(float twips);

    void clearPicture();
    // Loads the picture from a file; false when it cannot be read.
    bool loadPicture(const QString &path);
    void setPicture(const QPixmap &picture);
    // The picture as loaded, at the designed size.
    const QPixmap &picture() const { return m_picture; }

    // Size, border, place and picture at the window's size, after it changed.
    void layOut();
    void setHighContrast(bool on);

    CardFace face() const { return m_face; }
    // Raises the accessibility event of a change, so a screen reader hears it.
    void setFace(CardFace face);

    // The part of the focus mark that covers this card (in its own
    // coordinates), painted over its picture and border; empty for none.
    void setMarkOver(const QRegion &region);

    // Reports a click as the mouse does: from the keys, the pad and the
    // screen reader's press action, each saying which it is.
    // player: whose controller pressed (0 or 1), empty for anyone.
    void click(TurnInput input = TurnInput::Keys, std::optional<int> player = std::nullopt);
    // What led to the last click, and whose controller it was.
    TurnInput input() const { return m_input; }
    std::optional<int> player() const { return m_player; }

Q_SIGNALS:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void place();
    void scalePicture();

    int m_index;
    float m_left = 0.0f;
    float m_top = 0.0f;
    QPixmap m_picture;
    QPixmap m_shown; // m_picture at the window's size
    QRegion m_markOver;
    CardFace m_face = CardFace::Down;
    bool m_pressed = false;
    TurnInput m_input = TurnInput::Mouse;
    std::optional<int> m_player;
    bool m_highContrast = false;
};

} // namespace pelnori
