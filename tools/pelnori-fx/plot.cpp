// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot.h"

#include "console.h"
#include "effects/effectfile.h"
#include "common/hapticinterface.h"
#include "effects/effectrenderer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <span>

namespace pelnori::fx {

namespace {

constexpr int kWidth = 960;
constexpr int kLeft = 56;   // room for the level axis
constexpr int kRight = 24;
constexpr int kTop = 64;    // title and legend
constexpr int kNameHeight = 24;
constexpr int kRowHeight = 64;
constexpr int kRowGap = 12;
constexpr int kBottom = 52; // time axis

const QColor kStrongColor(205, 82, 20);
const QColor kWeakColor(32, 104, 192);
const QColor kGridColor(224, 224, 224);
const QColor kTextColor(60, 60, 60);

const QString kSyntax = QStringLiteral("plot FILE [NAME...] -o OUT.png");

// A step between time ticks that gives at most ten of them.
int tickStepMs(int spanMs)
{
    static constexpr std::array kSteps{10, 20, 50, 100, 200, 250, 500, 1000, 2000, 2500, 5000};
    for (const int step : kSteps) {
        if (spanMs <= step * 10)
            return step;
    }
    return 10000;
}

QFont font(int pixelSize, bool bold = false)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// One motor's level over the effect in area: the outline of the area below
// it, and its line.
struct MotorCurve
{
    QPainterPath filled;
    QPainterPath line;
};

MotorCurve motorCurve(const QRectF &area, double spanMs, const Effect &effect, bool strong)
{
    const int lengthMs = effectLengthMs(effect);
    const auto point = [&](double tMs) {
        const MotorLevels levels = motorLevelsAt(effect, tMs);
        const double level = strong ? levels.strong : levels.weak;
        return QPointF(area.left() + area.width() * tMs / spanMs, area.bottom() - area.height() * level);
    };
    MotorCurve curve{QPainterPath(QPointF(area.left(), area.bottom())), QPainterPath(point(0.0))};
    // The line leaves out where the motor rests, so that the other motor's
    // line stays visible along the bottom.
    bool resting = true;
    for (int t = 0; t <= lengthMs; ++t) {
        const QPointF p = point(t);
        curve.filled.lineTo(p);
        const bool rests = p.y() >= area.bottom();
        if (rests && resting)
            curve.line.moveTo(p);
        else
            curve.line.lineTo(p);
        resting = rests;
    }
    curve.filled.lineTo(point(lengthMs).x(), area.bottom());
    curve.filled.closeSubpath();
    return curve;
}

// Both motors' curves: the areas first, then the lines over them, so that
// each line keeps its own colour where the areas overlap.
void drawMotors(QPainter &painter, const QRectF &area, double spanMs, const Effect &effect)
{
    const std::array curves{std::pair(motorCurve(area, spanMs, effect, false), kWeakColor),
                            std::pair(motorCurve(area, spanMs, effect, true), kStrongColor)};
    for (const auto &[curve, color] : curves) {
        QColor fill = color;
        fill.setAlpha(70);
        painter.fillPath(curve.filled, fill);
    }
    for (const auto &[curve, color] : curves) {
        painter.setPen(QPen(color, 1.6));
        painter.drawPath(curve.line);
    }
}

void drawLegend(QPainter &painter, int right, int y)
{
    painter.setFont(font(14));
    const QFontMetrics metrics(painter.font());
    int x = right;
    for (const auto &[text, color] : {std::pair(QStringLiteral("weak motor"), kWeakColor),
                                      std::pair(QStringLiteral("strong motor"), kStrongColor)}) {
        x -= metrics.horizontalAdvance(text);
        painter.setPen(kTextColor);
        painter.drawText(x, y, text);
        x -= 22;
        painter.fillRect(QRect(x, y - 12, 16, 12), color);
        x -= 20;
    }
}

} // namespace

QImage plotImage(const EffectList &allEffects, const QString &title)
{
    const std::span<const Effect> effects(allEffects.data(),
                                          std::min(allEffects.size(), std::size_t(kMaxPlotRows)));
    int longestMs = 1;
    for (const Effect &effect : effects)
        longestMs = std::max(longestMs, effectLengthMs(effect));
    const int stepMs = tickStepMs(longestMs);
    const int spanMs = (longestMs + stepMs - 1) / stepMs * stepMs;

    const int rows = int(effects.size());
    const int height = kTop + rows * (kNameHeight + kRowHeight + kRowGap) + kBottom;
    QImage image(kWidth, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(kTextColor);
    painter.setFont(font(18, true));
    painter.drawText(kLeft, 34, title);
    drawLegend(painter, kWidth - kRight, 34);

    const double plotWidth = kWidth - kLeft - kRight;
    int top = kTop;
    for (const Effect &effect : effects) {
        painter.setPen(Qt::black);
        painter.setFont(font(15, true));
        painter.drawText(kLeft, top + 17, effect.name);
        const int nameWidth = QFontMetrics(painter.font()).horizontalAdvance(effect.name);
        painter.setPen(kTextColor);
        painter.setFont(font(13));
        painter.drawText(kLeft + nameWidth + 10, top + 17,
                         QStringLiteral("%1, %2 ms").arg(effectTypeWord(effect.type)).arg(effectLengthMs(effect)));

        const QRectF area(kLeft, top + kNameHeight, plotWidth, kRowHeight);
        painter.setFont(font(12));
        for (const double level : {0.0, 0.5, 1.0}) {
            const double y = area.bottom() - area.height() * level;
            painter.setPen(QPen(kGridColor, 1));
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            painter.setPen(kTextColor);
            painter.drawText(QRectF(0, y - 8, kLeft - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(level));
        }
        for (int t = stepMs; t <= spanMs; t += stepMs) {
            const double x = area.left() + plotWidth * t / spanMs;
            painter.setPen(QPen(kGridColor, 1));
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
        drawMotors(painter, area, spanMs, effect);
        painter.setPen(QPen(kTextColor, 1));
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.bottomLeft(), area.topLeft());
        top += kNameHeight + kRowHeight + kRowGap;
    }

    const int axisY = top - kRowGap;
    painter.setFont(font(12));
    painter.setPen(kTextColor);
    for (int t = 0; t <= spanMs; t += stepMs) {
        const double x = kLeft + plotWidth * t / spanMs;
        painter.drawLine(QPointF(x, axisY), QPointF(x, axisY + 5));
        painter.drawText(QRectF(x - 40, axisY + 6, 80, 16), Qt::AlignHCenter | Qt::AlignTop, QString::number(t));
    }
    painter.setFont(font(13));
    painter.drawText(QRectF(kLeft, axisY + 24, plotWidth, 18), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("time from the click (ms); level: fraction of the motor's full strength"));
    return image;
}

int plotEffects(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws what the strong and weak motors of a rumble pad play for effects of a file, "
                       "one row per effect, as the game plays them: the named effects, or the first %1; "
                       "at most %2 rows.")
            .arg(kEffectsPerGame)
            .arg(kMaxPlotRows));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The picture to write (.png)."), QStringLiteral("OUT.png"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("plot"), QString(), QStringLiteral("plot"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The effect file (.ifr)."));
    parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("The effects to draw, in this order."),
                                 QStringLiteral("[NAME...]"));
    parser.process(arguments);
    QStringList values = parser.positionalArguments();
    values.removeFirst();
    if (values.isEmpty() || !parser.isSet(output))
        usageError(kSyntax);
    const QString path = values.takeFirst();
    const QString target = parser.value(output);
    const QByteArray format = QFileInfo(target).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        err() << "pelnori-fx: " << QDir::toNativeSeparators(target)
              << ": the picture is written as PNG; give a name ending in .png\n";
        return Usage;
    }

    ParsedEffectFile parsed;
    if (!readOrReport(path, parsed))
        return Refused;
    EffectList chosen;
    for (const QString &name : values) {
        const auto found = std::find_if(parsed.effects.begin(), parsed.effects.end(),
                                        [&](const Effect &e) { return e.name == name; });
        if (found == parsed.effects.end()) {
            err() << "pelnori-fx: the file has no effect named " << name << "\n";
            return Refused;
        }
        chosen.push_back(*found);
    }
    if (values.isEmpty()) {
        const auto count = std::min(parsed.effects.size(), std::size_t(kEffectsPerGame));
        chosen.assign(parsed.effects.begin(), parsed.effects.begin() + std::ptrdiff_t(count));
    }
    if (chosen.empty()) {
        err() << "pelnori-fx: " << QDir::toNativeSeparators(path) << " holds no effects to draw\n";
        return Refused;
    }

    if (chosen.size() > std::size_t(kMaxPlotRows)) {
        err() << "pelnori-fx: drawing the first " << kMaxPlotRows << " of " << chosen.size() << " effects; "
              << chosen.size() - kMaxPlotRows << " left out. Name the effects to draw after the file, at most "
              << kMaxPlotRows << ": pelnori-fx " << kSyntax << "\n";
        chosen.erase(chosen.begin() + kMaxPlotRows, chosen.end());
    }

    const QImage image = plotImage(chosen, QFileInfo(path).fileName() + QStringLiteral(": what a rumble pad plays"));
    QImageWriter writer(target, format);
    if (!writer.write(image)) {
        err() << "pelnori-fx: " << QDir::toNativeSeparators(target) << " cannot be written: " << writer.errorString()
              << "\n";
        return Refused;
    }
    out() << "Wrote " << QDir::toNativeSeparators(target) << ": " << chosen.size()
          << (chosen.size() == 1 ? " effect\n" : " effects\n");
    return Ok;
}

} // namespace pelnori::fx
