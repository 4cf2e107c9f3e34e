// SPDX-License-Identifier: GPL-3.0-or-later

// Our effects as SDL hands them to force-feedback devices.

#include "device/effectplayer.h"
#include "device/sdleffect.h"

#include <QTest>

namespace pelnori {

class TestSdlEffect : public QObject
{
    Q_OBJECT

private slots:
    void constantScalesLevelsAndEnvelope();
    void periodicCarriesShape_data();
    void periodicCarriesShape();
    void rampScalesEnvelopeToItsPeak();
    void rumbleDrivesBothMotors();
    void whatSdlCannotExpressIsLeftToUs_data();
    void whatSdlCannotExpressIsLeftToUs();
    void timesBeyondSdlRangeAreClamped();
    void motorLevelEndsOnTheDevice_data();
    void motorLevelEndsOnTheDevice();
};

void TestSdlEffect::constantScalesLevelsAndEnvelope()
{
    Effect effect;
    effect.type = EffectType::Constant;
    effect.magnitude = 0.5;
    effect.durationMs = 1000;
    effect.delayMs = 100;
    effect.directionDeg = 90;
    effect.attack = {50, 0.5};
    effect.fade = {200, 0.0};

    const auto native = toSdlHapticEffect(effect);
    QVERIFY(native);
    const SDL_HapticConstant &c = native->constant;
    QCOMPARE(c.type, Uint16(SDL_HAPTIC_CONSTANT));
    QCOMPARE(c.level, Sint16(16384));
    QCOMPARE(c.length, Uint32(1000));
    QCOMPARE(c.delay, Uint16(100));
    QCOMPARE(c.direction.type, Uint8(SDL_HAPTIC_POLAR));
    QCOMPARE(c.direction.dir[0], Sint32(9000));
    QCOMPARE(c.attack_length, Uint16(50));
    // Half of a half magnitude: SDL's envelope levels are absolute.
    QCOMPARE(c.attack_level, Uint16(8192));
    QCOMPARE(c.fade_length, Uint16(200));
    QCOMPARE(c.fade_level, Uint16(0));
}

void TestSdlEffect::periodicCarriesShape_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<double>("offset");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("sdlMagnitude");
    QTest::addColumn<int>("sdlOffset");
    QTest::addColumn<int>("sdlPhase");

    QTest::newRow("sine full") << int(EffectType::Sine) << 1.0 << 0.0 << 0 << 32767 << 0 << 0;
    QTest::newRow("sine offset below") << int(EffectType::Sine) << 0.25 << -0.5 << 90 << 8192 << -16384 << 9000;
    QTest::newRow("triangle") << int(EffectType::Triangle) << 0.5 << 0.25 << 180 << 16384 << 8192 << 18000;
    QTest::newRow("sawtooth up") << int(EffectType::SawtoothUp) << 0.0 << 1.0 << 359 << 0 << 32767 << 35900;
    QTest::newRow("sawtooth down") << int(EffectType::SawtoothDown) << 0.75 << -1.0 << 45 << 24575 << -32767 << 4500;
}

void TestSdlEffect::periodicCarriesShape()
{
    QFETCH(int, type);
    QFETCH(double, magnitude);
    QFETCH(double, offset);
    QFETCH(int, phase);
    QFETCH(int, sdlMagnitude);
    QFETCH(int, sdlOffset);
    QFETCH(int, sdlPhase);

    Effect effect;
    effect.type = EffectType(type);
    effect.durationMs = 2000;
    effect.periodMs = 250;
    effect.magnitude = magnitude;
    effect.offset = offset;
    effect.phaseDeg = phase;

    const auto native = toSdlHapticEffect(effect);
    QVERIFY(native);
    const SDL_HapticPeriodic &p = native->periodic;
    QCOMPARE(p.type, native->type);
    QCOMPARE(p.period, Uint16(250));
    QCOMPARE(p.length, Uint32(2000));
    QCOMPARE(int(p.magnitude), sdlMagnitude);
    QCOMPARE(int(p.offset), sdlOffset);
    QCOMPARE(int(p.phase), sdlPhase);
}

void TestSdlEffect::rampScalesEnvelopeToItsPeak()
{
    Effect effect;
    effect.type = EffectType::Ramp;
    effect.durationMs = 800;
    effect.rampStart = -1.0;
    effect.rampEnd = 0.25;
    effect.fade = {300, 0.5};

    const auto native = toSdlHapticEffect(effect);
    QVERIFY(native);
    const SDL_HapticRamp &r = native->ramp;
    QCOMPARE(r.start, Sint16(-32767));
    QCOMPARE(r.end, Sint16(8192));
    QCOMPARE(r.length, Uint32(800));
    QCOMPARE(r.fade_length, Uint16(300));
    QCOMPARE(r.fade_level, Uint16(16384));
}

void TestSdlEffect::rumbleDrivesBothMotors()
{
    Effect effect;
    effect.type = EffectType::Rumble;
    effect.durationMs = 500;
    effect.strong = 1.0;
    effect.weak = 0.5;

    const auto native = toSdlHapticEffect(effect);
    QVERIFY(native);
    QCOMPARE(native->leftright.length, Uint32(500));
    QCOMPARE(native->leftright.large_magnitude, Uint16(65535));
    QCOMPARE(native->leftright.small_magnitude, Uint16(32768));
}

void TestSdlEffect::whatSdlCannotExpressIsLeftToUs_data()
{
    QTest::addColumn<Effect>("effect");
    Effect square;
    square.type = EffectType::Square;
    square.durationMs = 100;
    QTest::newRow("square") << square;

    Effect rumble;
    rumble.type = EffectType::Rumble;
    rumble.durationMs = 100;
    rumble.strong = 1.0;
    Effect delayed = rumble;
    delayed.delayMs = 50;
    QTest::newRow("delayed rumble") << delayed;
    Effect attacked = rumble;
    attacked.attack = {20, 0.0};
    QTest::newRow("rumble with attack") << attacked;
    Effect faded = rumble;
    faded.fade = {20, 0.0};
    QTest::newRow("rumble with fade") << faded;
}

void TestSdlEffect::whatSdlCannotExpressIsLeftToUs()
{
    QFETCH(Effect, effect);
    QVERIFY(!toSdlHapticEffect(effect));
}

void TestSdlEffect::timesBeyondSdlRangeAreClamped()
{
    Effect effect;
    effect.type = EffectType::Sine;
    effect.durationMs = 100000;
    effect.delayMs = 70000;
    effect.periodMs = 90000;
    effect.attack = {70000, 1.0};
    effect.directionDeg = 450;

    const auto native = toSdlHapticEffect(effect);
    QVERIFY(native);
    QCOMPARE(native->periodic.length, Uint32(100000));
    QCOMPARE(native->periodic.delay, Uint16(65535));
    QCOMPARE(native->periodic.period, Uint16(65535));
    QCOMPARE(native->periodic.attack_length, Uint16(65535));
    QCOMPARE(native->periodic.direction.dir[0], Sint32(9000));
}

void TestSdlEffect::motorLevelEndsOnTheDevice_data()
{
    QTest::addColumn<bool>("haptic"); // SDL's haptic API opens the device
    QTest::addColumn<unsigned>("query");
    QTest::addColumn<bool>("simpleRumble");
    QTest::addColumn<bool>("sdlRumble");
    QTest::addColumn<MotorRoute>("route");
    QTest::addColumn<int>("type"); // of the effect a level goes as, 0 none
    QTest::addColumn<int>("peak"); // its strongest level, for strong 1 and weak 0.5
    const unsigned pad = SDL_HAPTIC_LEFTRIGHT | SDL_HAPTIC_SINE;
    QTest::newRow("pad the kernel drives") << true << pad << true << true << MotorRoute::HapticEffect
                                           << int(SDL_HAPTIC_LEFTRIGHT) << 65535;
    QTest::newRow("haptic-only rumble pad") << true << pad << true << false << MotorRoute::HapticEffect
                                            << int(SDL_HAPTIC_LEFTRIGHT) << 65535;
    QTest::newRow("wheel with waves") << true << unsigned(SDL_HAPTIC_SINE | SDL_HAPTIC_CONSTANT) << true << true
                                      << MotorRoute::HapticRumble << 0 << 0;
    QTest::newRow("wheel with constant force only") << true << unsigned(SDL_HAPTIC_CONSTANT) << false << false
                                                    << MotorRoute::HapticEffect << int(SDL_HAPTIC_CONSTANT) << 32767;
    QTest::newRow("pad SDL reads through hidraw") << false << 0u << false << true << MotorRoute::SdlRumble << 0 << 0;
    QTest::newRow("ramps only") << true << unsigned(SDL_HAPTIC_RAMP) << false << false << MotorRoute::None << 0 << 0;
}

// A motor level reaches the device with a length the device ends it after
// by itself, on every route but SDL's rumble: a stalled thread cannot keep
// the motors going.
void TestSdlEffect::motorLevelEndsOnTheDevice()
{
    QFETCH(bool, haptic);
    QFETCH(unsigned, query);
    QFETCH(bool, simpleRumble);
    QFETCH(bool, sdlRumble);
    QFETCH(MotorRoute, route);
    QFETCH(int, type);
    QFETCH(int, peak);
    QCOMPARE(motorRoute(haptic, query, simpleRumble, sdlRumble), route);
    const auto effect = sdlMotorEffect(1.0, 0.5, query, Uint32(EffectPlayer::kMotorHold.count()));
    if (route != MotorRoute::HapticEffect)
        return;
    QVERIFY(effect);
    QCOMPARE(int(effect->type), type);
    const bool leftRight = type == SDL_HAPTIC_LEFTRIGHT;
    QVERIFY((leftRight ? effect->leftright.length : effect->constant.length) <= 250);
    QCOMPARE(leftRight ? int(effect->leftright.large_magnitude) : int(effect->constant.level), peak);
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestSdlEffect)
#include "tst_sdleffect.moc"
