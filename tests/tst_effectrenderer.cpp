// SPDX-License-Identifier: GPL-3.0-or-later

// What the two rumble motors play over an effect's life: every waveform,
// the envelope, the delay and the end, against values worked out by hand.

#include "effects/effectrenderer.h"

#include <QTest>

namespace pelnori {
namespace {

Effect wave(EffectType type, int periodMs, double magnitude, double offset = 0.0, int phaseDeg = 0)
{
    Effect effect;
    effect.type = type;
    effect.durationMs = 1000;
    effect.periodMs = periodMs;
    effect.magnitude = magnitude;
    effect.offset = offset;
    effect.phaseDeg = phaseDeg;
    return effect;
}

Effect constant(double magnitude, int delayMs = 0, Envelope attack = {}, Envelope fade = {}, int durationMs = 1000)
{
    Effect effect;
    effect.type = EffectType::Constant;
    effect.magnitude = magnitude;
    effect.durationMs = durationMs;
    effect.delayMs = delayMs;
    effect.attack = attack;
    effect.fade = fade;
    return effect;
}

Effect ramp(double from, double to)
{
    Effect effect;
    effect.type = EffectType::Ramp;
    effect.durationMs = 1000;
    effect.rampStart = from;
    effect.rampEnd = to;
    return effect;
}

Effect rumble(double strong, double weak, int delayMs = 0, Envelope attack = {})
{
    Effect effect;
    effect.type = EffectType::Rumble;
    effect.durationMs = 500;
    effect.delayMs = delayMs;
    effect.strong = strong;
    effect.weak = weak;
    effect.attack = attack;
    return effect;
}

Effect withFade(Effect effect, Envelope fade)
{
    effect.fade = fade;
    return effect;
}

} // namespace

class TestEffectRenderer : public QObject
{
    Q_OBJECT

private slots:
    void motorsFollowTheEffect_data();
    void motorsFollowTheEffect();
    void lengthCountsTheDelay();
    void waveStaysOnItsPeriodOverManyCycles();
};

void TestEffectRenderer::motorsFollowTheEffect_data()
{
    QTest::addColumn<Effect>("effect");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("strong");
    QTest::addColumn<double>("weak");

    // Timing: nothing before the delay or from the end on.
    QTest::newRow("constant at start") << constant(0.6) << 0.0 << 0.6 << 0.0;
    QTest::newRow("constant in its delay") << constant(0.6, 100) << 50.0 << 0.0 << 0.0;
    QTest::newRow("constant when the delay ends") << constant(0.6, 100) << 100.0 << 0.6 << 0.0;
    QTest::newRow("constant just before its end") << constant(0.6, 100) << 1099.5 << 0.6 << 0.0;
    QTest::newRow("constant at its end") << constant(0.6, 100) << 1100.0 << 0.0 << 0.0;
    QTest::newRow("constant long after") << constant(0.6) << 5000.0 << 0.0 << 0.0;

    // Envelope: levels are fractions of the magnitude.
    QTest::newRow("attack starts at its level") << constant(1.0, 0, {100, 0.2}) << 0.0 << 0.2 << 0.0;
    QTest::newRow("attack half way") << constant(1.0, 0, {100, 0.2}) << 50.0 << 0.6 << 0.0;
    QTest::newRow("attack done") << constant(1.0, 0, {100, 0.2}) << 100.0 << 1.0 << 0.0;
    QTest::newRow("attack counts from the delay") << constant(0.8, 100, {100, 0.0}) << 150.0 << 0.4 << 0.0;
    QTest::newRow("fade not begun") << constant(1.0, 0, {}, {200, 0.0}) << 800.0 << 1.0 << 0.0;
    QTest::newRow("fade half way") << constant(1.0, 0, {}, {200, 0.0}) << 900.0 << 0.5 << 0.0;
    QTest::newRow("fade towards a level") << constant(1.0, 0, {}, {200, 0.5}) << 900.0 << 0.75 << 0.0;
    QTest::newRow("overlap early: attack lower") << constant(1.0, 0, {100, 0.0}, {100, 0.0}, 100) << 25.0 << 0.25 << 0.0;
    QTest::newRow("overlap late: fade lower") << constant(1.0, 0, {100, 0.0}, {100, 0.0}, 100) << 75.0 << 0.25 << 0.0;

    // Slow waves: positive half on the strong motor, negative on the weak.
    QTest::newRow("sine starts at zero") << wave(EffectType::Sine, 200, 1.0) << 0.0 << 0.0 << 0.0;
    QTest::newRow("sine crest") << wave(EffectType::Sine, 200, 1.0) << 50.0 << 1.0 << 0.0;
    QTest::newRow("sine trough") << wave(EffectType::Sine, 200, 1.0) << 150.0 << 0.0 << 1.0;
    QTest::newRow("sine second cycle") << wave(EffectType::Sine, 200, 0.5) << 250.0 << 0.5 << 0.0;
    QTest::newRow("sine phase 90") << wave(EffectType::Sine, 200, 1.0, 0.0, 90) << 0.0 << 1.0 << 0.0;
    QTest::newRow("sine phase 180") << wave(EffectType::Sine, 200, 1.0, 0.0, 180) << 50.0 << 0.0 << 1.0;
    QTest::newRow("square first half") << wave(EffectType::Square, 200, 0.8) << 10.0 << 0.8 << 0.0;
    QTest::newRow("square second half") << wave(EffectType::Square, 200, 0.8) << 110.0 << 0.0 << 0.8;
    QTest::newRow("triangle rising") << wave(EffectType::Triangle, 200, 1.0) << 25.0 << 0.5 << 0.0;
    QTest::newRow("triangle middle") << wave(EffectType::Triangle, 200, 1.0) << 100.0 << 0.0 << 0.0;
    QTest::newRow("triangle below") << wave(EffectType::Triangle, 200, 1.0) << 175.0 << 0.0 << 0.5;
    QTest::newRow("sawtooth up early") << wave(EffectType::SawtoothUp, 200, 1.0) << 50.0 << 0.0 << 0.5;
    QTest::newRow("sawtooth up late") << wave(EffectType::SawtoothUp, 200, 1.0) << 150.0 << 0.5 << 0.0;
    QTest::newRow("sawtooth down early") << wave(EffectType::SawtoothDown, 200, 1.0) << 50.0 << 0.5 << 0.0;
    QTest::newRow("offset cancels trough") << wave(EffectType::Sine, 200, 0.5, 0.5) << 150.0 << 0.0 << 0.0;
    QTest::newRow("offset clips at full") << wave(EffectType::Sine, 200, 1.0, 0.5) << 50.0 << 1.0 << 0.0;
    QTest::newRow("slow wave fades") << withFade(wave(EffectType::Square, 200, 1.0), {200, 0.0}) << 850.0 << 0.75 << 0.0;

    // Fast waves buzz the weak motor at their peak; middling ones blend.
    QTest::newRow("fast sine crest") << wave(EffectType::Sine, 20, 0.8) << 5.0 << 0.0 << 0.8;
    QTest::newRow("fast sine trough") << wave(EffectType::Sine, 20, 0.8) << 15.0 << 0.0 << 0.8;
    QTest::newRow("fast square") << wave(EffectType::Square, 40, 0.6) << 30.0 << 0.0 << 0.6;
    QTest::newRow("fast with offset") << wave(EffectType::Sine, 20, 0.5, -0.3) << 0.0 << 0.0 << 0.8;
    QTest::newRow("fast fading") << withFade(wave(EffectType::Sine, 20, 1.0), {200, 0.0}) << 900.0 << 0.0 << 0.5;
    QTest::newRow("middling crest") << wave(EffectType::Sine, 100, 0.8) << 25.0 << 0.4 << 0.4;
    QTest::newRow("middling trough") << wave(EffectType::Sine, 100, 0.8) << 75.0 << 0.0 << 0.8;
    QTest::newRow("rhythm period no longer buzzes") << wave(EffectType::Sine, 160, 1.0) << 40.0 << 1.0 << 0.0;

    // Ramp moves from start to end over the duration.
    QTest::newRow("ramp begins below") << ramp(-1.0, 1.0) << 250.0 << 0.0 << 0.5;
    QTest::newRow("ramp passes zero") << ramp(-1.0, 1.0) << 500.0 << 0.0 << 0.0;
    QTest::newRow("ramp ends above") << ramp(-1.0, 1.0) << 750.0 << 0.5 << 0.0;
    QTest::newRow("ramp down") << ramp(0.8, 0.0) << 500.0 << 0.4 << 0.0;

    // Rumble drives the motors directly.
    QTest::newRow("rumble") << rumble(0.7, 0.3) << 100.0 << 0.7 << 0.3;
    QTest::newRow("rumble attack") << rumble(0.7, 0.3, 0, {100, 0.0}) << 50.0 << 0.35 << 0.15;
    QTest::newRow("rumble delayed") << rumble(0.7, 0.3, 100) << 50.0 << 0.0 << 0.0;
    QTest::newRow("rumble ended") << rumble(0.7, 0.3) << 500.0 << 0.0 << 0.0;
}

void TestEffectRenderer::motorsFollowTheEffect()
{
    QFETCH(Effect, effect);
    QFETCH(double, t);
    QFETCH(double, strong);
    QFETCH(double, weak);

    const MotorLevels levels = motorLevelsAt(effect, t);
    QVERIFY2(std::abs(levels.strong - strong) < 1e-9, qPrintable(QString::number(levels.strong)));
    QVERIFY2(std::abs(levels.weak - weak) < 1e-9, qPrintable(QString::number(levels.weak)));
}

void TestEffectRenderer::lengthCountsTheDelay()
{
    QCOMPARE(effectLengthMs(constant(1.0, 250)), 1250);
    QCOMPARE(effectLengthMs(rumble(1.0, 1.0)), 500);
}

// Phase is taken from the start of the effect, never from a running sum, so
// cycle 40 is where cycle 0 was.
void TestEffectRenderer::waveStaysOnItsPeriodOverManyCycles()
{
    Effect effect = wave(EffectType::Sine, 300, 1.0);
    effect.durationMs = 20000;
    for (int cycle : {0, 1, 7, 40, 65}) {
        const double crest = cycle * 300.0 + 75.0;
        QVERIFY(std::abs(motorLevelsAt(effect, crest).strong - 1.0) < 1e-9);
        QVERIFY(std::abs(signedLevelAt(effect, crest + 150.0) + 1.0) < 1e-9);
    }
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestEffectRenderer)
#include "tst_effectrenderer.moc"
