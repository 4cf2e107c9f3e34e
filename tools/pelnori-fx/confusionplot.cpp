// SPDX-License-Identifier: GPL-3.0-or-later
#include "confusionplot.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace pelnori::fx {

namespace {

constexpr int kCell = 44;
constexpr int kMargin = 32;
constexpr int kLabel = 28;  // room for the row and column numbers
constexpr int kTop = 92;    // title and the matrices' headings
constexpr int kGap = 56;    // between the matrices
constexpr int kLegendLine = 22;

const QColor kFullColor(205, 82, 20);
const QColor kNoValueColor(236, 236, 236);
const QColor kTextColor(60, 60, 60);

QFont font(int pixelSize, bool bold = false)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// White for 0, the full colour for 1.
QColor shade(double value)
{
    const double v = std::clamp(value, 0.0, 1.0);
    const auto mix = [v](int full) { return int(std::lround(255.0 + (full - 255.0) * v)); };
    return QColor(mix(kFullColor.red()), mix(kFullColor.green()), mix(kFullColor.blue()));
}

const EffectPair *pairAt(const ConfusionCount &count, int i, int j)
{
    const QString &x = count.effects[i];
    const QString &y = count.effects[j];
    const auto found = std::find_if(count.pairs.begin(), count.pairs.end(), [&](const EffectPair &p) {
        return (p.a == x && p.b == y) || (p.a == y && p.b == x);
    });
    return found == count.pairs.end() ? nullptr : &*found;
}

void drawMatrix(QPainter &painter, const ConfusionCount &count, QPoint origin, const QString &heading,
                const std::function<std::optional<double>(const EffectPair &)> &value, bool frameBeyond)
{
    const int n = int(count.effects.size());
    painter.setPen(kTextColor);
    painter.setFont(font(15, true));
    painter.drawText(origin.x() + kLabel, origin.y() - 14, heading);
    painter.setFont(font(12));
    for (int k = 0; k < n; ++k) {
        const QString number = QString::number(k + 1);
        painter.drawText(QRect(origin.x(), origin.y() + kLabel + k * kCell, kLabel - 6, kCell),
                         Qt::AlignRight | Qt::AlignVCenter, number);
        painter.drawText(QRect(origin.x() + kLabel + k * kCell, origin.y(), kCell, kLabel - 4),
                         Qt::AlignHCenter | Qt::AlignBottom, number);
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const QRect cell(origin.x() + kLabel + j * kCell, origin.y() + kLabel + i * kCell, kCell, kCell);
            const EffectPair *pair = i == j ? nullptr : pairAt(count, i, j);
            const std::optional<double> v = pair ? value(*pair) : std::nullopt;
            painter.fillRect(cell, v ? shade(*v) : kNoValueColor);
            painter.setPen(QPen(Qt::white, 1));
            painter.drawRect(cell);
            painter.setPen(v && *v > 0.55 ? Qt::white : kTextColor);
            painter.setFont(font(13));
            // Whole percent rounded down, as the table prints them.
            painter.drawText(cell, Qt::AlignCenter,
                             v ? QString::number(int(std::floor(*v * 100.0 + 1e-9))) : QStringLiteral("-"));
            if (frameBeyond && pair && pair->confusedBeyondLikeness()) {
                painter.setPen(QPen(Qt::black, 3));
                painter.drawRect(cell.adjusted(2, 2, -2, -2));
            }
        }
    }
}

} // namespace

QImage confusionImage(const ConfusionCount &count, const QString &title)
{
    const int n = int(count.effects.size());
    const int matrix = kLabel + n * kCell;
    const int legendRows = n + 2;
    const int width = std::max(kMargin * 2 + matrix * 2 + kGap, 640);
    const int height = kTop + matrix + 24 + legendRows * kLegendLine + kMargin;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(kTextColor);
    painter.setFont(font(18, true));
    painter.drawText(kMargin, 34, title);

    const QPoint left(kMargin, kTop - kLabel + 10);
    const QPoint right(kMargin + matrix + kGap, left.y());
    drawMatrix(painter, count, left, QStringLiteral("confusion rate, %"), &EffectPair::rate, true);
    drawMatrix(painter, count, right, QStringLiteral("likeness, %"),
               [](const EffectPair &p) { return p.likeness; }, false);

    int y = left.y() + matrix + 24 + kLegendLine;
    painter.setFont(font(13));
    painter.setPen(kTextColor);
    for (int k = 0; k < n; ++k, y += kLegendLine)
        painter.drawText(kMargin, y, QStringLiteral("%1  %2").arg(k + 1).arg(count.effects[k]));
    painter.drawText(kMargin, y + 6,
                     QStringLiteral("-: no chance to confuse them, or likeness unknown. Framed: confused more "
                                    "often than the likeness predicts."));
    return image;
}

} // namespace pelnori::fx
