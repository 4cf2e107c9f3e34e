// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qpaplatform.h"
#include "app/qtplatform.h"
#include "common/errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>

using namespace pelnori;

Q_DECLARE_METATYPE(pelnori::MessageIcon)

class QtPlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsDifferWithinOneClockReading();
    void messageBoxesAreTitledWithOkOnly_data();
    void messageBoxesAreTitledWithOkOnly();
    void choiceIsTakenOnlyWhenPressed();
    void yieldAfterEndThrows();
    void clockIgnoresSystemTimeSteps_data();
    void clockIgnoresSystemTimeSteps();
    void x11ChosenInWaylandSessionWithXServer();
};

void QtPlatformTest::drawsDifferWithinOneClockReading()
{
    // Re-seeding before every draw must not repeat a draw while the clock
    // stands still, or rejection sampling would wait for the clock.
    QtPlatform platform;
    std::set<float> draws;
    for (int i = 0; i < 1000; ++i) {
        platform.reseedRandom();
        const float r = platform.nextRandom();
        QVERIFY(r >= 0.0f && r < 1.0f);
        draws.insert(r);
    }
    QVERIFY(draws.size() > 990);
    const float now = platform.secondsSinceMidnight();
    QVERIFY(now >= 0.0f && now < 86400.0f);
    QCOMPARE(platform.programFolder(), QCoreApplication::applicationDirPath());
}

void QtPlatformTest::messageBoxesAreTitledWithOkOnly_data()
{
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shown");
    QTest::newRow("none") << MessageIcon::None << QMessageBox::NoIcon;
    QTest::newRow("information") << MessageIcon::Information << QMessageBox::Information;
    QTest::newRow("warning") << MessageIcon::Warning << QMessageBox::Warning;
}

void QtPlatformTest::messageBoxesAreTitledWithOkOnly()
{
    QFETCH(MessageIcon, icon);
    QtPlatform platform;
    QString title, text;
    QMessageBox::Icon shown = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        shown = box->icon();
        buttons = box->standardButtons();
        box->accept();
    });
    platform.messageBox(QStringLiteral("一行目\r\n二行目"), icon);
    QCOMPARE(title, QStringLiteral("Pelnori"));
    QCOMPARE(text, QStringLiteral("一行目\r\n二行目"));
    QTEST(shown, "shown");
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void QtPlatformTest::choiceIsTakenOnlyWhenPressed()
{
    QtPlatform platform;
    const auto answer = [&platform](const std::function<void(QMessageBox *)> &player) {
        QTimer::singleShot(0, [player] { player(qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); });
        return platform.messageBoxWithChoice(QStringLiteral("text"), MessageIcon::Warning, QStringLiteral("音で遊ぶ"));
    };
    // Escape and closing mean OK, never the choice.
    QVERIFY(!answer([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }));
    QVERIFY(!answer([](QMessageBox *box) { box->close(); }));
    QVERIFY(answer([](QMessageBox *box) {
        for (QAbstractButton *button : box->buttons())
            if (button->text() == QStringLiteral("音で遊ぶ"))
                button->click();
    }));
}

void QtPlatformTest::yieldAfterEndThrows()
{
    QtPlatform platform;
    platform.yieldEvents();
    platform.endProgram();
    QVERIFY(platform.hasEnded());
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, platform.yieldEvents());
}

void QtPlatformTest::clockIgnoresSystemTimeSteps_data()
{
    QTest::addColumn<int>("stepMs");
    QTest::newRow("an hour back") << -3600 * 1000;
    QTest::newRow("an hour forward") << 3600 * 1000;
}

// Regression: a backward step of the system time was taken for midnight and
// the clock showed about 86,400 s; a forward step added an hour.
void QtPlatformTest::clockIgnoresSystemTimeSteps()
{
    QFETCH(int, stepMs);
    int wallMs = 12 * 3600 * 1000; // noon
    QtPlatform platform([&wallMs] { return wallMs; });
    const float start = platform.secondsSinceMidnight();
    wallMs += stepMs;
    QTest::qSleep(300);
    const float elapsed = platform.secondsSinceMidnight() - start;
    QVERIFY2(elapsed >= 0.3f && elapsed < 60.0f, qPrintable(QString::number(elapsed)));
}

void QtPlatformTest::x11ChosenInWaylandSessionWithXServer()
{
    QCOMPARE(chooseQtPlatform({}, "wayland-0", ":0"), QByteArray("xcb"));
    // The player's choice stands, and without an X server Wayland it is.
    QCOMPARE(chooseQtPlatform("wayland", "wayland-0", ":0"), QByteArray());
    QCOMPARE(chooseQtPlatform({}, "wayland-0", {}), QByteArray());
}

QTEST_MAIN(QtPlatformTest)
#include "tst_qtplatform.moc"
