// SPDX-License-Identifier: GPL-3.0-or-later

// The card images next to the program and the ones built into it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

#include <cstdlib>

namespace pelnori {
namespace {

// The card box shows only the top-left 57 x 53 pixels of a card image.
constexpr QRect visibleArea(0, 0, 57, 53);

QString besideProgram(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QImage loadCard(const QString &name)
{
    return QImage(besideProgram(name)).convertToFormat(QImage::Format_RGB32);
}

bool isBlack(QRgb pixel)
{
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

bool near(QRgb pixel, const QColor &expected, int tolerance)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance
           && std::abs(qGreen(pixel) - expected.green()) <= tolerance
           && std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

// Mean difference per colour channel over the visible part of two cards.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = visibleArea.top(); y <= visibleArea.bottom(); ++y) {
        for (int x = visibleArea.left(); x <= visibleArea.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * visibleArea.width() * visibleArea.height());
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void cardImagesAreBesideTheProgram_data();
    void cardImagesAreBesideTheProgram();
    void cardBackRowsFollowTheShades_data();
    void cardBackRowsFollowTheShades();
    void cardBackCarriesALargeInkCharacter();
    void cardImagesDifferClearly_data();
    void cardImagesDifferClearly();
    void builtInCardBackMatchesTheFile();
    void windowIconIsCutOutOfBlueBands();
};

void TestAssets::cardImagesAreBesideTheProgram_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("back") << QStringLiteral("Card.bmp");
    QTest::newRow("open") << QStringLiteral("Cardopen.bmp");
    QTest::newRow("matched") << QStringLiteral("Cardsumi.bmp");
}

void TestAssets::cardImagesAreBesideTheProgram()
{
    QFETCH(QString, name);
    QFile file(besideProgram(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray header = file.read(54);
    QCOMPARE(header.size(), 54);
    QCOMPARE(header.left(2), QByteArray("BM"));
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 18), 59); // width
    QCOMPARE(qFromLittleEndian<qint32>(bytes + 22), 60); // height, stored bottom-up
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 28), quint16(24)); // bits per pixel
    QCOMPARE(qFromLittleEndian<quint32>(bytes + 30), quint32(0)); // uncompressed

    const QImage image(file.fileName());
    QCOMPARE(image.size(), QSize(59, 60));
}

void TestAssets::cardBackRowsFollowTheShades_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("tolerance");
    // The top row is checked pixel for pixel elsewhere: exact, and no ink on it.
    QTest::newRow("top row") << 0 << QColor(158, 134, 187) << 0;
    QTest::newRow("pale lavender") << 6 << QColor(199, 187, 216) << 6;
    QTest::newRow("violet") << 18 << QColor(100, 73, 162) << 6;
    QTest::newRow("lightening") << 27 << QColor(140, 113, 196) << 6;
    QTest::newRow("periwinkle top") << 39 << QColor(174, 165, 230) << 6;
    QTest::newRow("periwinkle bottom") << 45 << QColor(174, 165, 230) << 6;
    QTest::newRow("pale band") << 57 << QColor(209, 201, 238) << 6;
}

void TestAssets::cardBackRowsFollowTheShades()
{
    QFETCH(int, row);
    QFETCH(QColor, colour);
    QFETCH(int, tolerance);
    const QImage back = loadCard(QStringLiteral("Card.bmp"));
    QVERIFY(!back.isNull());
    // Every pixel of the row is either background or the black character.
    int background = 0;
    for (int x = 0; x < back.width(); ++x) {
        const QRgb pixel = back.pixel(x, row);
        if (isBlack(pixel) && tolerance > 0)
            continue;
        QVERIFY2(near(pixel, colour, tolerance),
                 qPrintable(QStringLiteral("pixel %1 is %2").arg(x).arg(QColor(pixel).name())));
        ++background;
    }
    QVERIFY(background > 0);
}

void TestAssets::cardBackCarriesALargeInkCharacter()
{
    const QImage back = loadCard(QStringLiteral("Card.bmp"));
    QVERIFY(!back.isNull());
    int ink = 0;
    QRect inked;
    for (int y = visibleArea.top(); y <= visibleArea.bottom(); ++y) {
        for (int x = visibleArea.left(); x <= visibleArea.right(); ++x) {
            if (isBlack(back.pixel(x, y))) {
                ++ink;
                inked |= QRect(x, y, 1, 1);
            }
        }
    }
    const double share = double(ink) / (visibleArea.width() * visibleArea.height());
    QVERIFY2(share > 0.12 && share < 0.6, qPrintable(QString::number(share)));
    // Spread over most of the visible card, not a small mark in a corner.
    QVERIFY(inked.width() >= visibleArea.width() * 3 / 4);
    QVERIFY(inked.height() >= visibleArea.height() * 3 / 4);
}

void TestAssets::cardImagesDifferClearly_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("back/open") << QStringLiteral("Card.bmp") << QStringLiteral("Cardopen.bmp");
    QTest::newRow("back/matched") << QStringLiteral("Card.bmp") << QStringLiteral("Cardsumi.bmp");
    QTest::newRow("open/matched") << QStringLiteral("Cardopen.bmp") << QStringLiteral("Cardsumi.bmp");
}

void TestAssets::cardImagesDifferClearly()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QImage a = loadCard(first);
    const QImage b = loadCard(second);
    QVERIFY(!a.isNull() && !b.isNull());
    const double difference = meanDifference(a, b);
    QVERIFY2(difference > 25.0, qPrintable(QString::number(difference)));
}

void TestAssets::builtInCardBackMatchesTheFile()
{
    const QImage builtIn = QImage(QStringLiteral(":/Card.bmp")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!builtIn.isNull());
    QCOMPARE(builtIn, loadCard(QStringLiteral("Card.bmp")));
}

void TestAssets::windowIconIsCutOutOfBlueBands()
{
    const QImage icon = QImage(QStringLiteral(":/pelnori.png")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(32, 32));
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                ++transparent;
            } else if (qAlpha(pixel) == 255) {
                ++opaque;
                QVERIFY2(qBlue(pixel) > qRed(pixel) && qBlue(pixel) > qGreen(pixel),
                         qPrintable(QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(QColor(pixel).name())));
            }
        }
    }
    // The character is a real cut-out, and the bands still make up the icon.
    QVERIFY2(transparent >= 32 * 32 / 10, qPrintable(QString::number(transparent)));
    QVERIFY2(opaque >= 32 * 32 / 3, qPrintable(QString::number(opaque)));
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestAssets)
#include "tst_assets.moc"
