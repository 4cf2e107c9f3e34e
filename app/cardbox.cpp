// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cardbox.h"

#include "app/twips.h"

#include <QAccessible>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
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

namespace {

// Qt reads a bitmap cut short without complaint and fills the missing rows
// with black; its header says how long the file must be.
bool isTruncatedBitmap(const QByteArray &data)
{
    if (data.size() < 6 || !data.startsWith("BM"))
        return false;
    const auto byte = [&data](int i) { return static_cast<quint32>(static_cast<quint8>(data[i])); };
    const quint32 declared = byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24;
    return declared != 0 && static_cast<quint64>(data.size()) < declared;
}

} // namespace

bool CardBox::loadPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (isTruncatedBitmap(data))
        return false;
    const QImage image = QImage::fromData(data);
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

void CardBox::setFace(CardFace face)
{
    if (face == m_face)
        return;
    m_face = face;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void CardBox::click(TurnInput input)
{
    m_input = input;
    Q_EMIT clicked(m_index);
}

void CardBox::setMarkOver(const QRegion &region)
{
    if (region == m_markOver)
        return;
    update(m_markOver.united(region).boundingRect());
    m_markOver = region;
}

void CardBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!m_picture.isNull()) {
        const QRect inner = contentsRect();
        painter.setClipRect(inner);
        painter.drawPixmap(inner.topLeft(), m_picture);
    }
    if (!m_markOver.isEmpty()) {
        painter.setClipRegion(m_markOver);
        painter.fillRect(rect(), palette().color(QPalette::WindowText));
    }
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
        click(TurnInput::Mouse);
}

void CardBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is not a click of its own.
    event->accept();
    m_pressed = false;
}

void CardBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: // on the keypad
        // A key held down turns the card once.
        if (!event->isAutoRepeat())
            click();
        break;
    default:
        // Not taken: the arrow keys go on to the window, which moves the selection.
        QFrame::keyPressEvent(event);
    }
}

} // namespace pelnori
