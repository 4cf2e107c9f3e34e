// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/contrastfaces.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <map>
#include <tuple>

namespace pelnori {

namespace {

// Strokes and bands as parts of the card's shorter side, so that the faces
// look the same at every size of the window.
constexpr qreal kEdgeBand = 0.04;
constexpr qreal kStripe = 0.12;
constexpr qreal kRing = 0.12;
constexpr qreal kCheck = 0.16;

void drawBack(QPainter &painter, const QRectF &inside, qreal unit)
{
    painter.fillRect(inside, Qt::black);
    painter.save();
    painter.setClipRect(inside);
    painter.setPen(QPen(Qt::white, kStripe * unit, Qt::SolidLine, Qt::FlatCap));
    // Diagonal stripes, as far apart as they are wide.
    const qreal step = 2.8 * kStripe * unit;
    for (qreal x = inside.left() - inside.height(); x < inside.right() + step; x += step)
        painter.drawLine(QPointF(x, inside.bottom()), QPointF(x + inside.height(), inside.top()));
    painter.restore();
}

void drawOpen(QPainter &painter, const QRectF &inside, qreal unit)
{
    painter.fillRect(inside, Qt::white);
    const qreal width = kRing * unit;
    const qreal radius = std::min(inside.width(), inside.height()) / 2 - width / 2 - kEdgeBand * unit;
    painter.setPen(QPen(Qt::black, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(inside.center(), radius, radius);
}

void drawMatched(QPainter &painter, const QRectF &inside, qreal unit)
{
    painter.fillRect(inside, Qt::black);
    const qreal side = std::min(inside.width(), inside.height()) * 0.7;
    const QRectF box(inside.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    QPainterPath check;
    check.moveTo(box.left(), box.top() + side * 0.55);
    check.lineTo(box.left() + side * 0.38, box.bottom() - side * 0.1);
    check.lineTo(box.right(), box.top() + side * 0.12);
    painter.setPen(QPen(Qt::white, kCheck * unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(check);
}

QPixmap drawFace(CardFace face, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = std::min(size.width(), size.height());
    const qreal band = std::max(2.0, kEdgeBand * unit);
    const QRectF inside = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(band, band, -band, -band);
    switch (face) {
    case CardFace::Down: drawBack(painter, inside, unit); break;
    case CardFace::Open: drawOpen(painter, inside, unit); break;
    case CardFace::Matched: drawMatched(painter, inside, unit); break;
    }
    return pixmap;
}

} // namespace

QPixmap contrastFace(CardFace face, QSize size)
{
    // Sixteen cards paint the same few faces: each is drawn once per size.
    static std::map<std::tuple<int, int, int>, QPixmap> drawn;
    const auto key = std::make_tuple(int(face), size.width(), size.height());
    auto found = drawn.find(key);
    if (found == drawn.end())
        found = drawn.emplace(key, drawFace(face, size)).first;
    return found->second;
}

} // namespace pelnori
