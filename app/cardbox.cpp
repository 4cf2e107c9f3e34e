// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cardbox.h"

#include "app/twips.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace pelnori {

namespace {
constexpr int kCardWidthPx = 61;  // 915 twips
constexpr int kCardHeightPx = 57; // 855 twips
} // namespace

CardBox::CardBox(int index, QWidget *parent)
    : QFrame(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("pic(%1)").arg(index));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    resize(kCardWidthPx, kCardHeightPx);
}

void CardBox::setLeftTwips(float twips)
{
    m_left = twips;
    place();
}

void CardBox::setTopTwips(float twips)
{
    m_top = twips;
    place();
}

void CardBox::place()
{
    move(twipsToPixels(m_left), twipsToPixels(m_top));
}

void CardBox::clearPicture()
{
    m_picture = QPixmap();
    update();
}

bool CardBox::loadPicture(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setPicture(QPixmap::fromImage(image));
    return true;
}

void CardBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void CardBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), m_picture);
}

void CardBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        setFocus(Qt::MouseFocusReason);
    }
}

void CardBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked(m_index);
}

void CardBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is not a click of its own.
    event->accept();
    m_pressed = false;
}

} // namespace pelnori
