// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cardselection.h"

#include "app/cardbox.h"
#include "app/twips.h"

#include <QApplication>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <algorithm>

namespace pelnori {

namespace {

// The gaps between the cards are 3 pixels wide at the designed size; the
// mark fills them, at every size of the window.
QMargins markWidth()
{
    const int width = scaledPixels(3);
    return {width, width, width, width};
}

// Only the ring around the card: where a card has no picture, the window
// shows through it.
QRegion ringOf(const QRect &mark)
{
    return QRegion(mark).subtracted(QRegion(mark.marginsRemoved(markWidth())));
}

} // namespace

CardSelection::CardSelection(QWidget &window, const std::array<CardBox *, kCardCount> &cards)
    : m_window(window)
    , m_cards(cards)
    , m_last(cards[1]) // the window opens with the focus on card 1
{
    // Key and mouse presses go to whichever control is under them; the
    // application sees them all.
    qApp->installEventFilter(this);
}

CardBox *CardSelection::focusedCard() const
{
    const auto found = std::find(m_cards.begin(), m_cards.end(), m_window.focusWidget());
    return found == m_cards.end() ? nullptr : *found;
}

CardBox *CardSelection::card() const
{
    if (CardBox *focused = focusedCard())
        return focused;
    // Card 1 is in play in every game.
    return m_last->isHidden() ? m_cards[1] : m_last;
}

void CardSelection::select()
{
    if (!focusedCard())
        card()->setFocus(Qt::OtherFocusReason);
}

void CardSelection::step(PadAction direction)
{
    CardBox *from = focusedCard();
    if (!from) {
        select();
        return;
    }
    // Cards out of play are an edge too.
    CardBox *to = m_cards[static_cast<std::size_t>(gridNeighbour(from->index(), direction))];
    if (!to->isHidden())
        to->setFocus(Qt::OtherFocusReason);
}

void CardSelection::showMark(bool shown)
{
    m_shown = shown;
    updateMark();
}

void CardSelection::updateMark()
{
    QRect now;
    CardBox *card = focusedCard();
    // A card at the window's edge has no gap on that side: there the ring
    // lies over the card's own outermost pixels, as thick as elsewhere.
    if (card && m_shown)
        now = card->geometry().marginsAdded(markWidth()).intersected(m_window.rect());
    CardBox *marked = now.isEmpty() ? nullptr : card;
    if (now == m_mark && marked == m_markedCard)
        return;
    m_window.update(m_mark);
    m_window.update(now);
    m_mark = now;
    if (m_markedCard)
        m_markedCard->setMarkOver(QRegion());
    m_markedCard = marked;
    if (m_markedCard)
        m_markedCard->setMarkOver(ringOf(m_mark).intersected(card->geometry()).translated(-card->pos()));
}

void CardSelection::paintMark(QPainter &painter) const
{
    if (m_mark.isEmpty())
        return;
    painter.setClipRegion(ringOf(m_mark));
    painter.fillRect(m_mark, m_window.palette().color(QPalette::WindowText));
}

bool CardSelection::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == &m_window)
            showMark(event->type() == QEvent::KeyPress);
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Move:
        if (const auto found = std::find(m_cards.begin(), m_cards.end(), watched); found != m_cards.end()) {
            if (event->type() == QEvent::FocusIn)
                m_last = *found;
            updateMark();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace pelnori
