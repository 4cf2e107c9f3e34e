// SPDX-License-Identifier: GPL-3.0-or-later

// A controller's d-pad, left stick and face buttons as window actions.

#include "input/padmapping.h"
#include "input/padstepper.h"

#include <QTest>

namespace pelnori {

namespace {

QChar letter(PadAction action)
{
    // F: the effect-file button; C: cancel; N, P: the next and previous
    // field; Y: the state of the game; M: the window's menu.
    return QStringLiteral("UDLRTSFCNPYM").at(int(action));
}

// Plays a script of "MS:WHAT" steps: a d-pad direction or face button down
// ("R+") or up ("R-"), A/X/Start/B/Y as "A+", "X+", "S+", "B+", "Y+", the left and
// right shoulder as "[+" and "]+", Back as "K+", the stick as "x=N" or
// "y=N", and "r" to look for repeats. "dz=N" sets the dead zone, "turn=NAME"
// gives Turn to a button, and "@NAME+" / "@NAME-" is a button by SDL's name
// through the mapping. Returns the actions as letters.
QString play(const QString &script)
{
    PadStepper stepper;
    PadMapping mapping;
    QString out;
    const auto take = [&](const std::vector<PadAction> &actions) {
        for (PadAction action : actions)
            out += letter(action);
    };
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const PadStepper::Ms at{step.section(u':', 0, 0).toInt()};
        const QString what = step.section(u':', 1);
        if (what.startsWith(u"dz=")) {
            stepper.setDeadZone(what.mid(3).toInt());
        } else if (what.startsWith(u"turn=")) {
            mapping.turn = what.mid(5).toStdString();
        } else if (what.startsWith(u'@')) {
            if (const auto action = padActionOf(mapping, what.mid(1).chopped(1).toStdString()))
                take(stepper.action(*action, what.endsWith(u'+'), at));
        } else if (what == u"r") {
            take(stepper.repeat(at));
        } else if (what.startsWith(u"x=") || what.startsWith(u"y=")) {
            take(stepper.axis(what[0] == u'x' ? PadStepper::Axis::LeftX : PadStepper::Axis::LeftY,
                              what.mid(2).toInt(), at));
        } else {
            static const QString names = QStringLiteral("UDLRAXSBY[]K");
            const auto button = PadStepper::Button(names.indexOf(what[0]));
            take(stepper.button(button, what[1] == u'+', at));
        }
    }
    return out;
}

} // namespace

class TestPadStepper : public QObject
{
    Q_OBJECT

private slots:
    void actions_data();
    void actions();
};

void TestPadStepper::actions_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a d-pad press is one step") << "0:R+ 100:r 120:R- 500:r" << "R";
    QTest::newRow("a held d-pad repeats after a delay") << "0:D+ 399:r 400:r 549:r 550:r 560:D-" << "DDD";
    QTest::newRow("a late look gives one repeat") << "0:L+ 5000:r 5001:r" << "LL";
    QTest::newRow("face buttons act on the press") << "0:A+ 10:A- 20:X+ 30:X- 40:S+ 50:S-" << "TFS";
    QTest::newRow("B, Y and the shoulders act on the press, once") << "0:B+ 10:[+ 20:]+ 30:Y+ 500:r 510:]-" << "CPNY";
    QTest::newRow("Back opens the menu, once") << "0:K+ 400:r 500:K-" << "M";
    QTest::newRow("a tilt past the dead zone is one step") << "0:x=20000 100:r 120:x=0 500:r" << "R";
    QTest::newRow("a tilt inside the dead zone is none") << "0:x=12000 1000:r 1001:y=-16000" << "";
    QTest::newRow("wobbling at the edge is one step") << "0:x=20000 50:x=10000 100:x=20000 150:x=9000" << "R";
    QTest::newRow("back to the middle, a new tilt steps again") << "0:x=20000 50:x=4000 100:x=20000" << "RR";
    QTest::newRow("swung over to the other side") << "0:x=20000 50:x=-20000" << "RL";
    QTest::newRow("stick up and down") << "0:y=-32768 50:y=0 100:y=32767" << "UD";
    QTest::newRow("a held tilt repeats") << "0:y=30000 400:r 550:r 600:y=0 1000:r" << "DDD";
    QTest::newRow("d-pad and stick the same way step once") << "0:R+ 10:x=30000 20:R- 30:x=0" << "R";
    // The dead zone: at 25 % a tilt engages at 16384 and ends inside 8192.
    QTest::newRow("dead zone 25: engages at 16384") << "0:dz=25 1:x=16383 2:x=16384" << "R";
    QTest::newRow("dead zone 25: ends inside 8192") << "0:dz=25 1:x=16384 2:x=8192 3:x=16384 4:x=8191 5:x=16384" << "RR";
    QTest::newRow("dead zone 10: a small tilt steps") << "0:dz=10 1:x=11467 2:x=11468 3:x=3276 4:x=3275 5:x=11468" << "RR";
    QTest::newRow("dead zone 50: half way does nothing") << "0:dz=50 1:y=-24575 2:y=-24576 3:y=-16384 4:y=-16383 5:y=-30000" << "UU";
    // The mapping: SDL's names for the buttons.
    QTest::newRow("by name, as designed") << "0:@a+ 1:@x+ 2:@start+ 3:@y+ 4:@b+ 5:@back+ 6:@guide+" << "TFSYCM";
    QTest::newRow("turn given to B: B turns, A does nothing") << "0:turn=b 1:@b+ 2:@a+ 3:@x+" << "TF";
    QTest::newRow("turn given to a shoulder") << "0:turn=rightshoulder 1:@rightshoulder+ 2:@leftshoulder+" << "TP";
    QTest::newRow("the d-pad by name repeats") << "0:@dpleft+ 400:r 410:@dpleft- 800:r" << "LL";
}

void TestPadStepper::actions()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QCOMPARE(play(script), expected);
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestPadStepper)
#include "tst_padstepper.moc"
