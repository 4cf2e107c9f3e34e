// SPDX-License-Identifier: GPL-3.0-or-later

// Which effects a player would confuse on a rumble pad: pairs that differ in
// one thing each, and the shipped effect file.

#include "effects/effectfile.h"
#include "effects/effectlikeness.h"

#include <QTest>

#include <string_view>

namespace pelnori {
namespace {

// One effect from the keys of an effect file, written inline.
Effect effect(const char *keys)
{
    const QByteArray text = QByteArray("effect = [{ name = \"e\", ") + keys + " }]";
    const ParsedEffectFile parsed = parseEffectFile(std::string_view(text.constData(), std::size_t(text.size())));
    return parsed.ok() ? parsed.effects.front() : Effect{};
}

const char *const kKnock = "type = 'constant', duration = 150, fade = { time = 80, level = 0.2 }";
const char *const kDoubleKnock = "type = 'square', duration = 360, period = 240, magnitude = 0.5, offset = 0.5";
const char *const kBuzz = "type = 'sine', duration = 1500, period = 25, magnitude = 0.6";

} // namespace

class TestEffectLikeness : public QObject
{
    Q_OBJECT

private slots:
    void pairsThatDifferInOneThing_data();
    void pairsThatDifferInOneThing();
    void shippedEffectsAreFarFromAlike();
};

void TestEffectLikeness::pairsThatDifferInOneThing_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("alike");
    QTest::addColumn<QString>("reason"); // empty: not checked

    const auto row = [](const char *what, const char *a, const char *b, bool alike, const char *reason = "") {
        QTest::newRow(what) << QString::fromUtf8(a) << QString::fromUtf8(b) << alike << QString::fromUtf8(reason);
    };
    // Too alike: strength by a tenth or less, details shorter than 20 ms.
    row("the same", kKnock, kKnock, true, "same rhythm and length; same strength");
    row("5% weaker", kKnock, "type = 'constant', duration = 150, magnitude = 0.95, fade = { time = 80, level = 0.2 }",
        true, "same rhythm and length; strengths differ by 5%");
    row("10% weaker", kDoubleKnock, "type = 'square', duration = 360, period = 240, magnitude = 0.45, offset = 0.45",
        true, "same rhythm and length; strengths differ by 10%");
    row("15 ms longer", kKnock, "type = 'constant', duration = 165, fade = { time = 80, level = 0.2 }", true);
    row("starts 15 ms later", kDoubleKnock,
        "type = 'square', duration = 360, delay = 15, period = 240, magnitude = 0.5, offset = 0.5", true);
    row("starts 20 ms later", kKnock,
        "type = 'constant', duration = 150, delay = 20, fade = { time = 80, level = 0.2 }", true);
    row("15 ms attack", kDoubleKnock,
        "type = 'square', duration = 360, period = 240, magnitude = 0.5, offset = 0.5, attack = { time = 15 }", true);
    row("buzz of 20 ms period", kBuzz, "type = 'sine', duration = 1500, period = 20, magnitude = 0.6", true);
    row("rumble with the same levels", "type = 'rumble', duration = 400, strong = 0.8, weak = 0.0",
        "type = 'constant', duration = 400, magnitude = 0.8", true);

    // Told apart: rhythm, length by a third, the other motor, a third of the strength.
    row("a third longer", "type = 'constant', duration = 300", "type = 'constant', duration = 400", false,
        "same rhythm; lengths 300 and 400 ms; same strength");
    row("a third longer, short", "type = 'constant', duration = 90", "type = 'constant', duration = 120", false);
    row("three knocks in the time of two", kDoubleKnock,
        "type = 'square', duration = 360, period = 120, magnitude = 0.5, offset = 0.5", false);
    row("four pulses instead of five", "type = 'square', duration = 800, period = 200, magnitude = 0.5, offset = 0.5",
        "type = 'square', duration = 800, period = 160, magnitude = 0.5, offset = 0.5", false);
    row("weak motor instead of strong", "type = 'rumble', duration = 400, strong = 0.8, weak = 0.0",
        "type = 'rumble', duration = 400, strong = 0.0, weak = 0.8", false);
    row("ramp down instead of up", "type = 'ramp', duration = 1200, ramp-start = 0.1, ramp-end = 1.0",
        "type = 'ramp', duration = 1200, ramp-start = 1.0, ramp-end = 0.1", false);
    row("a third weaker", kBuzz, "type = 'sine', duration = 1500, period = 25, magnitude = 0.4", false,
        "same rhythm and length; strengths differ by 33%");
    row("a pulse against a buzz", kDoubleKnock, kBuzz, false);
    row("felt against silent", kKnock, "type = 'constant', duration = 150, magnitude = 0.0", false);
}

void TestEffectLikeness::pairsThatDifferInOneThing()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, alike);
    QFETCH(QString, reason);

    const Effect first = effect(a.toUtf8().constData());
    const Effect second = effect(b.toUtf8().constData());
    QVERIFY(first.durationMs > 0 && second.durationMs > 0);
    const Likeness found = likeness(first, second);
    QVERIFY2((found.score >= kTooAlikeFrom) == alike,
             qPrintable(QStringLiteral("%1: %2").arg(found.score).arg(found.reason)));
    if (!reason.isEmpty())
        QCOMPARE(found.reason, reason);
    QCOMPARE(likeness(second, first).score, found.score);
}

// The default file must pass with room to spare: its most alike pair of the
// eight a game uses scores 0.41.
void TestEffectLikeness::shippedEffectsAreFarFromAlike()
{
    const ParsedEffectFile parsed = readEffectFile(QStringLiteral(PELNORI_SOURCE_DIR "/assets/tremka.ifr"));
    QVERIFY(parsed.ok());
    double most = 0.0;
    for (int i = 0; i < 8; ++i) {
        for (int j = i + 1; j < 8; ++j)
            most = std::max(most, likeness(parsed.effects[std::size_t(i)], parsed.effects[std::size_t(j)]).score);
    }
    QVERIFY2(most < 0.5, qPrintable(QString::number(most)));
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestEffectLikeness)
#include "tst_effectlikeness.moc"
