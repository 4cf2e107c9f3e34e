// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cardbox.h"

#include "app/contrastfaces.h"
#include "app/twips.h"

#include <QAccessible>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pelnori {

namespace {
constexpr float kCardWidthTwips = 915.0f; // 61 pixels at the designed size
constexpr float kCardHeightTwips = 855.0f; // 57 pixels
constexpr int kBorderPx = 2;
} // namespace

CardBox::CardBox(int index, QWidget *parent)
    : QFrame(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("pic(%1)").arg(index));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    layOut();
}

void CardBox::layOut()
{
    setLineWidth(scaledPixels(kBorderPx));
    resize(twipsToPixels(kCardWidthTwips), twipsToPixels(kCardHeightTwips));
    place();
    scalePicture();
}

void CardBox::scalePicture()
{
    const int percent = zoomPercent();
    if (m_picture.isNull() || percent == 100)
        m_shown = m_picture;
    else
        m_shown = m_picture.scaled(m_picture.size() * zoomScale(), Qt::IgnoreAspectRatio,
                                   percent % 100 == 0 ? Qt::FastTransformation : Qt::SmoothTransformation);
    update();
}

void CardBox::setHighContrast(bool on)
{
    m_highContrast = on;
    update();
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
    scalePicture();
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
    scalePicture();
}

void CardBox::setFace(CardFace face)
{
    if (face == m_face)
        return;
    m_face = face;
    if (m_highContrast)
        update();
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void CardBox::click(TurnInput input, std::optional<int> player)
{
    m_input = input;
    m_player = player;
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
    if (!m_shown.isNull()) {
        const QRect inner = contentsRect();
        painter.setClipRect(inner);
        if (m_highContrast)
            painter.drawPixmap(inner.topLeft(), contrastFace(m_face, inner.size()));
        else
            painter.drawPixmap(inner.topLeft(), m_shown);
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
