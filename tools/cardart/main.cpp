// SPDX-License-Identifier: GPL-3.0-or-later

// cardart: draws the three card images and the window icon, at 32 pixels and
// at the desktop's larger sizes, into a folder (assets/ in the source tree).
// The files are committed, so the program only needs to run again when the
// art changes.

#include <QColor>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <numbers>
#include <span>

namespace pelnori {
namespace {

constexpr QSize cardSize(59, 60);
// The card box shows only the top-left 57 x 53 pixels of the image.
constexpr QRect visibleArea(0, 0, 57, 53);
const QString brushFace = QStringLiteral("AoyagiSosekiFont2");

struct Anchor
{
    int row;
    QColor colour;
};

// Card back: lavender and violet rows. Row 0 is checked pixel for pixel
// elsewhere, so it must stay exactly this colour.
const Anchor backRows[] = {
    {0, QColor(158, 134, 187)},  {6, QColor(199, 187, 216)},  {18, QColor(100, 73, 162)},
    {27, QColor(140, 113, 196)}, {39, QColor(174, 165, 230)}, {45, QColor(174, 165, 230)},
    {57, QColor(209, 201, 238)}, {59, QColor(209, 201, 238)},
};

int lerp(int a, int b, double t)
{
    return static_cast<int>(std::lround(a + (b - a) * t));
}

QColor rowColour(std::span<const Anchor> anchors, int row)
{
    if (row <= anchors.front().row)
        return anchors.front().colour;
    for (std::size_t i = 1; i < anchors.size(); ++i) {
        const Anchor &from = anchors[i - 1];
        const Anchor &to = anchors[i];
        if (row <= to.row) {
            const double t = double(row - from.row) / double(to.row - from.row);
            return QColor(lerp(from.colour.red(), to.colour.red(), t),
                          lerp(from.colour.green(), to.colour.green(), t),
                          lerp(from.colour.blue(), to.colour.blue(), t));
        }
    }
    return anchors.back().colour;
}

// The outline of one brush-written character, scaled (aspect kept) and
// centred to fill `box`.
QPainterPath brushGlyph(const QString &text, const QRectF &box)
{
    QFont font(brushFace);
    font.setPixelSize(200); // drawn large, then scaled down, for a clean outline
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

// The brush face writes with a fine pen; at card size its strokes need some
// weight to read as ink.
void drawInk(QPainter &painter, const QPainterPath &glyph, const QColor &colour, double weight)
{
    painter.fillPath(glyph, colour);
    painter.strokePath(glyph, QPen(colour, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QImage cardBack()
{
    QImage image(cardSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb rgb = rowColour(backRows, y).rgb();
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rgb);
    }
    QPainter painter(&image);
    // Pure black on pure rows: no antialiasing, so every pixel is either the
    // row colour or ink, and row 0 is never touched.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(QRect(0, 1, cardSize.width(), cardSize.height() - 1));
    drawInk(painter, brushGlyph(QStringLiteral("触"), QRectF(3, 3, 51, 48)), Qt::black, 1.6);
    return image;
}

// A wavy ring around `centre`: the card buzzes while it waits for its partner.
QPainterPath ripple(QPointF centre, double radius, double amplitude, int waves)
{
    QPainterPath path;
    constexpr int steps = 180;
    for (int i = 0; i <= steps; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / steps;
        const double r = radius + amplitude * std::sin(waves * angle);
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void drawFaceFrame(QPainter &painter, QColor face, QColor edge)
{
    painter.fillRect(QRect(QPoint(0, 0), cardSize), face);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(visibleArea).adjusted(0.5, 0.5, -0.5, -0.5));
}

QImage cardOpen()
{
    QImage image(cardSize, QImage::Format_RGB32);
    QPainter painter(&image);
    drawFaceFrame(painter, QColor(250, 244, 226), QColor(196, 178, 140));
    painter.setRenderHint(QPainter::Antialiasing, true);

    const QPointF centre = QRectF(visibleArea).center();
    const QColor ink(92, 70, 168);
    struct Ring
    {
        double radius;
        double width;
        int alpha;
    };
    for (const Ring ring : {Ring{8.0, 2.6, 255}, Ring{14.5, 2.2, 200}, Ring{21.0, 1.8, 140}}) {
        QColor colour = ink;
        colour.setAlpha(ring.alpha);
        painter.setPen(QPen(colour, ring.width));
        painter.drawPath(ripple(centre, ring.radius, 1.1, 12));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(centre, 3.2, 3.2);
    return image;
}

QImage cardMatched()
{
    QImage image(cardSize, QImage::Format_RGB32);
    QPainter painter(&image);
    drawFaceFrame(painter, QColor(186, 198, 178), QColor(118, 138, 112));
    painter.setRenderHint(QPainter::Antialiasing, true);
    // 済: the pair is done.
    drawInk(painter, brushGlyph(QStringLiteral("済"), QRectF(visibleArea).adjusted(8, 6, -8, -6)),
            QColor(36, 64, 42), 1.8);
    return image;
}

// The window icon at size x size pixels: the 32-pixel design scaled, with
// its eight bands and its cut-out character, for the desktop's larger icons.
QImage windowIcon(int size)
{
    static const QColor bands[] = {
        QColor(58, 96, 178),  QColor(104, 126, 158), QColor(72, 116, 204), QColor(122, 142, 170),
        QColor(46, 84, 164),  QColor(96, 118, 150),  QColor(80, 128, 214), QColor(112, 134, 164),
    };
    const double scale = size / 32.0;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    const int bandHeight = image.height() / int(std::size(bands));
    for (int y = 0; y < image.height(); ++y) {
        const QRgb rgb = bands[y / bandHeight].rgb();
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rgb);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The character is cut out of the bands, so the desktop shows through it.
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    const QRectF box(2 * scale, 2 * scale, 28 * scale, 28 * scale);
    drawInk(painter, brushGlyph(QStringLiteral("触"), box), Qt::black, 1.7 * scale);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool save(const QImage &image, const QDir &folder, const QString &name, const char *format)
{
    const QString path = folder.filePath(name);
    if (image.save(path, format))
        return true;
    QTextStream(stderr) << "cardart: cannot write " << path << '\n';
    return false;
}

} // namespace
} // namespace pelnori

int main(int argc, char *argv[])
{
    using namespace pelnori;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the Pelnori card images and window icon."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where to write the files."));
    parser.process(app);

    // Another face would silently change the look of every card.
    if (!QFontDatabase::families().contains(brushFace)) {
        QTextStream(stderr) << "cardart: font " << brushFace << " is not installed\n";
        return 1;
    }
    const QDir folder(parser.positionalArguments().value(0, QStringLiteral(".")));
    if (!folder.exists()) {
        QTextStream(stderr) << "cardart: no folder " << folder.path() << '\n';
        return 1;
    }

    // The card images are 24-bit BMPs, which RGB888 gives.
    const auto rgb24 = [](const QImage &image) { return image.convertToFormat(QImage::Format_RGB888); };
    const QImage icon = windowIcon(32);
    bool ok = save(rgb24(cardBack()), folder, QStringLiteral("Card.bmp"), "BMP");
    ok = save(rgb24(cardOpen()), folder, QStringLiteral("Cardopen.bmp"), "BMP") && ok;
    ok = save(rgb24(cardMatched()), folder, QStringLiteral("Cardsumi.bmp"), "BMP") && ok;
    ok = save(icon, folder, QStringLiteral("pelnori.png"), "PNG") && ok;
    ok = save(icon, folder, QStringLiteral("pelnori.ico"), "ICO") && ok;
    // The desktop's larger sizes, installed into the icon theme.
    for (const int size : {48, 64, 128, 256})
        ok = save(windowIcon(size), folder, QStringLiteral("pelnori-%1.png").arg(size), "PNG") && ok;
    return ok ? 0 : 1;
}
