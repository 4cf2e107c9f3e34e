// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <string_view>

using namespace pelnori;

namespace {

ParsedEffectFile parse(const QByteArray &text)
{
    return parseEffectFile(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

QString describe(const ParsedEffectFile &parsed)
{
    QStringList lines;
    for (const EffectFileProblem &p : parsed.problems)
        lines << QStringLiteral("%1:%2: %3").arg(p.line).arg(p.column).arg(p.message);
    return lines.join(QLatin1Char('\n'));
}

// n minimal effects named e1, e2, …
QByteArray manyEffects(int n)
{
    QByteArray text;
    for (int i = 1; i <= n; ++i)
        text += "[[effect]]\nname = \"e" + QByteArray::number(i) + "\"\ntype = \"constant\"\nduration = 100\n";
    return text;
}

// The same bytes every run: a small linear congruential generator.
QByteArray garbage(int size)
{
    QByteArray bytes(size, '\0');
    quint32 state = 12345;
    for (char &b : bytes) {
        state = state * 1103515245u + 12345u;
        b = char(0x80 | (state >> 24)); // never ASCII: no TOML from the first byte on
    }
    return bytes;
}

Effect makeEffect(const char *name, EffectType type, int durationMs)
{
    Effect e;
    e.name = QString::fromUtf8(name);
    e.type = type;
    e.durationMs = durationMs;
    return e;
}

const QByteArray kEffectHead = "[[effect]]\nname = \"a\"\ntype = \"constant\"\nduration = 100\n";
const QByteArray kSineHead = "[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = 100\n";

} // namespace

class TestEffectFile : public QObject
{
    Q_OBJECT

private slots:
    void everyTypeAndKeyIsRead();
    void omittedKeysTakeTheirDefaults();
    void effectsKeepFileOrder();
    void namesDifferingOnlyInCaseAreDistinct();
    void nonAsciiTextInStringsAndCommentsIsRead();
    void emptyFileHasNoEffects_data();
    void emptyFileHasNoEffects();
    void shippedFileHasTenDistinctEffects();
    void documentedExampleIsRead();
    void badFileIsRefused_data();
    void badFileIsRefused();
    void everyProblemIsReportedInLineOrder();
    void fileOfExactlyTheLimitIsRead();
    void readFileGivesTheEffects();
    void readFileRefusesWhatIsNotAnEffectFile_data();
    void readFileRefusesWhatIsNotAnEffectFile();
};

void TestEffectFile::everyTypeAndKeyIsRead()
{
    const QByteArray text = R"(version = 1

[[effect]]
name = "c"
type = "constant"
duration = 100
delay = 5
magnitude = 0.5
direction = 90
attack = { time = 10, level = 0.25 }
fade = { time = 20, level = 0.75 }

[[effect]]
name = "sine"
type = "sine"
duration = 200
period = 50
magnitude = 1
offset = -0.25
phase = 180
direction = 359

[[effect]]
name = "sq"
type = "square"
duration = 300
period = 10000
offset = 1.0
phase = 359

[[effect]]
name = "tri"
type = "triangle"
duration = 10000
delay = 10000
period = 1
magnitude = 0.0
offset = -1

[[effect]]
name = "up"
type = "sawtooth-up"
duration = 1
period = 60

[[effect]]
name = "down"
type = "sawtooth-down"
duration = 2
magnitude = 0.125

[[effect]]
name = "ramp"
type = "ramp"
duration = 500
ramp-start = -1.0
ramp-end = 1
direction = 270
[effect.attack]
time = 100
[effect.fade]
level = 0.5

[[effect]]
name = "rumble"
type = "rumble"
duration = 400
strong = 1
weak = 0.25
fade = { time = 300 }
)";
    const ParsedEffectFile parsed = parse(text);
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(8));

    Effect c = makeEffect("c", EffectType::Constant, 100);
    c.delayMs = 5;
    c.magnitude = 0.5;
    c.directionDeg = 90;
    c.attack = {10, 0.25};
    c.fade = {20, 0.75};
    QCOMPARE(parsed.effects[0], c);

    Effect sine = makeEffect("sine", EffectType::Sine, 200);
    sine.periodMs = 50;
    sine.magnitude = 1.0;
    sine.offset = -0.25;
    sine.phaseDeg = 180;
    sine.directionDeg = 359;
    QCOMPARE(parsed.effects[1], sine);

    Effect square = makeEffect("sq", EffectType::Square, 300);
    square.periodMs = 10000;
    square.offset = 1.0;
    square.phaseDeg = 359;
    QCOMPARE(parsed.effects[2], square);

    Effect triangle = makeEffect("tri", EffectType::Triangle, 10000);
    triangle.delayMs = 10000;
    triangle.periodMs = 1;
    triangle.magnitude = 0.0;
    triangle.offset = -1.0;
    QCOMPARE(parsed.effects[3], triangle);

    Effect up = makeEffect("up", EffectType::SawtoothUp, 1);
    up.periodMs = 60;
    QCOMPARE(parsed.effects[4], up);

    Effect down = makeEffect("down", EffectType::SawtoothDown, 2);
    down.magnitude = 0.125;
    QCOMPARE(parsed.effects[5], down);

    Effect ramp = makeEffect("ramp", EffectType::Ramp, 500);
    ramp.rampStart = -1.0;
    ramp.rampEnd = 1.0;
    ramp.directionDeg = 270;
    ramp.attack = {100, 0.0};
    ramp.fade = {0, 0.5};
    QCOMPARE(parsed.effects[6], ramp);

    Effect rumble = makeEffect("rumble", EffectType::Rumble, 400);
    rumble.strong = 1.0;
    rumble.weak = 0.25;
    rumble.fade = {300, 0.0};
    QCOMPARE(parsed.effects[7], rumble);
}

void TestEffectFile::omittedKeysTakeTheirDefaults()
{
    const ParsedEffectFile parsed = parse(kSineHead);
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(1));
    const Effect &e = parsed.effects[0];
    QCOMPARE(e.delayMs, 0);
    QCOMPARE(e.magnitude, 1.0);
    QCOMPARE(e.periodMs, 100);
    QCOMPARE(e.offset, 0.0);
    QCOMPARE(e.phaseDeg, 0);
    QCOMPARE(e.directionDeg, 0);
    QCOMPARE(e.attack, Envelope{});
    QCOMPARE(e.fade, Envelope{});
    QCOMPARE(e, makeEffect("a", EffectType::Sine, 100));
}

void TestEffectFile::effectsKeepFileOrder()
{
    // Names that sort the other way round, so a sorted result would show.
    QByteArray text;
    for (const char *name : {"zeta", "alpha", "mu", "beta", "omega", "gamma", "delta", "epsilon", "eta"})
        text += QByteArray("[[effect]]\nname = \"") + name + "\"\ntype = \"square\"\nduration = 150\n";
    const ParsedEffectFile parsed = parse(text);
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QStringList names;
    for (const Effect &e : parsed.effects)
        names << e.name;
    QCOMPARE(names, QStringList({"zeta", "alpha", "mu", "beta", "omega", "gamma", "delta", "epsilon", "eta"}));
}

void TestEffectFile::namesDifferingOnlyInCaseAreDistinct()
{
    const ParsedEffectFile parsed = parse(R"(
[[effect]]
name = "Knock"
type = "constant"
duration = 100
[[effect]]
name = "knock"
type = "constant"
duration = 100
[[effect]]
name = " knock"
type = "constant"
duration = 100
)");
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(3));
    QCOMPARE(parsed.effects[0].name, QStringLiteral("Knock"));
    QCOMPARE(parsed.effects[1].name, QStringLiteral("knock"));
    QCOMPARE(parsed.effects[2].name, QStringLiteral(" knock"));
}

// Non-ASCII text is fine in strings and comments: kana, 「」, a heart with its
// emoji selector U+FE0F, and kana right after a line-ending backslash.
void TestEffectFile::nonAsciiTextInStringsAndCommentsIsRead()
{
    const ParsedEffectFile parsed = parse("# \xE3\x81\xB2 \xE2\x9D\xA4\xEF\xB8\x8F\n[[effect]]\n"
                                          "name = \"\xE2\x9D\xA4\xEF\xB8\x8F\" # \xEF\xB8\x8F\xE3\x80\x8C\n"
                                          "type = 'sine'\nduration = 100\n"
                                          "[[effect]]\nname = '''\xEF\xB8\x8F'''\ntype = 'sine'\nduration = 100\n"
                                          "[[effect]]\nname = \"\"\"\xE3\x81\xB2\\\n  \xE3\x81\xB2\"\"\"\n"
                                          "type = 'sine'\nduration = 100\n");
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(3));
    QCOMPARE(parsed.effects[0].name, QString::fromUtf8("\xE2\x9D\xA4\xEF\xB8\x8F"));
    QCOMPARE(parsed.effects[2].name, QString::fromUtf8("\xE3\x81\xB2\xE3\x81\xB2"));
}

void TestEffectFile::emptyFileHasNoEffects_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("comments and blank lines") << QByteArray("# nothing yet\n\n   \n");
    QTest::newRow("version only") << QByteArray("version = 1\n");
    QTest::newRow("empty effect list") << QByteArray("effect = []\n");
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF");
}

// A file without effects parses; the game refuses it for having fewer than eight.
void TestEffectFile::emptyFileHasNoEffects()
{
    QFETCH(QByteArray, text);
    const ParsedEffectFile parsed = parse(text);
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QVERIFY(parsed.effects.empty());
}

void TestEffectFile::shippedFileHasTenDistinctEffects()
{
    const ParsedEffectFile parsed = readEffectFile(QStringLiteral(PELNORI_SOURCE_DIR "/assets/tremka.ifr"));
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(10));
    QSet<QString> names;
    for (const Effect &e : parsed.effects) {
        QVERIFY(!e.name.trimmed().isEmpty());
        names.insert(e.name);
        QVERIFY2(e.delayMs + e.durationMs >= 150 && e.delayMs + e.durationMs <= 1500, qPrintable(e.name));
    }
    QCOMPARE(names.size(), 10);
    // Not variations of one effect: no two alike once their names are set aside.
    for (std::size_t i = 0; i < parsed.effects.size(); ++i) {
        for (std::size_t j = i + 1; j < parsed.effects.size(); ++j) {
            Effect a = parsed.effects[i];
            Effect b = parsed.effects[j];
            a.name.clear();
            b.name.clear();
            QVERIFY2(a != b, qPrintable(parsed.effects[i].name + QLatin1String(" = ") + parsed.effects[j].name));
        }
    }
}

// The example in docs/effect-files.md is a file that reads as it says.
void TestEffectFile::documentedExampleIsRead()
{
    QFile doc(QStringLiteral(PELNORI_SOURCE_DIR "/docs/effect-files.md"));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QByteArray text = doc.readAll();
    const qsizetype start = text.indexOf("```toml\n");
    QVERIFY(start >= 0);
    const qsizetype end = text.indexOf("```", start + 8);
    QVERIFY(end > start);
    const ParsedEffectFile parsed = parse(text.mid(start + 8, end - start - 8));
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(5));
    QCOMPARE(parsed.effects[4].name, QStringLiteral("thunder"));
    QCOMPARE(parsed.effects[4].fade, (Envelope{1200, 0.0}));
}

void TestEffectFile::badFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column"); // -1: not checked
    QTest::addColumn<QString>("message");

    // The file as a whole.
    QTest::newRow("invalid TOML") << QByteArray("version = 1\nname = \n") << 2 << -1 << "not valid TOML";
    QTest::newRow("key given twice") << (kEffectHead + "duration = 200\n") << 5 << -1 << "not valid TOML";
    QTest::newRow("truncated in a string") << QByteArray("[[effect]]\nname = \"kno") << 2 << -1
                                           << "not valid TOML";
    QTest::newRow("truncated in a header") << QByteArray("version = 1\n[[eff") << 2 << -1 << "not valid TOML";
    QTest::newRow("binary garbage") << garbage(4096) << 1 << -1 << "not valid TOML";
    QTest::newRow("NUL bytes") << (kEffectHead + QByteArray(3, '\0')) << 5 << 1 << "not valid TOML";
    QTest::newRow("NUL in a name") << QByteArray("[[effect]]\nname = \"a\0b\"\n", 24) << 2 << -1
                                   << "not valid TOML";
    QTest::newRow("over 1 MiB") << QByteArray(kMaxEffectFileBytes + 1, '#') << 0 << 0 << "at most 1 MiB";
    QTest::newRow("1,001 effects") << manyEffects(kMaxEffectsPerFile + 1) << 4001 << 1
                                   << "holds 1001 effects; an effect file may hold at most 1000";
    QTest::newRow("10,000 [ in a value") << ("x = " + QByteArray(10000, '[')) << 1 << -1 << "not valid TOML";
    QTest::newRow("10,000 [ as a header") << QByteArray(10000, '[') << 1 << -1 << "not valid TOML";
    QTest::newRow("10,000 nested inline tables") << ("x = " + QByteArray("{a=").repeated(10000)) << 1 << -1
                                                 << "not valid TOML";
    QTest::newRow("deep dotted key") << ("a" + QByteArray(".a").repeated(200000) + " = 1\n") << 1 << 130
                                     << "more than 64 dots on one line";
    QTest::newRow("deep table header") << ("\n[a" + QByteArray(".a").repeated(200000) + "]\n") << 2 << 131
                                       << "more than 64 dots on one line";
    QTest::newRow("deep dotted key in an inline table")
        << ("x = [\n{" + QByteArray("'#'.").repeated(100) + "a = 1}]") << 2 << -1 << "more than 64 dots";

    // The top of the file.
    QTest::newRow("unknown top-level key") << QByteArray("version = 1\ncolour = 3\n") << 2 << 1
                                           << "unknown key \"colour\" at the top of the file";
    QTest::newRow("version of another format") << QByteArray("version = 2\n") << 1 << 11 << "\"version\" must be 1";
    QTest::newRow("version as text") << QByteArray("version = \"1\"\n") << 1 << 11 << "not a string";
    QTest::newRow("effect as a single table") << QByteArray("[effect]\nname = \"a\"\n") << 1 << 1
                                              << "double brackets";
    QTest::newRow("effect as a number") << QByteArray("effect = 5\n") << 1 << 10 << "not an integer";
    QTest::newRow("effect that is no table") << QByteArray("effect = [1]\n") << 1 << 11
                                             << "effect 1 must be a table, not an integer";

    // Keys of an effect.
    QTest::newRow("unknown effect key") << (kEffectHead + "colour = 3\n") << 5 << 1
                                        << "unknown key \"colour\" in effect 1 (\"a\")";
    QTest::newRow("misspelt effect key") << (kEffectHead + "Delay = 3\n") << 5 << 1 << "did you mean \"delay\"?";
    QTest::newRow("underscore for hyphen")
        << QByteArray("[[effect]]\nname = \"a\"\ntype = \"ramp\"\nduration = 100\nramp_start = 0\nramp-end = 1\n")
        << 5 << 1 << "did you mean \"ramp-start\"?";
    QTest::newRow("unknown envelope key") << (kEffectHead + "attack = { time = 10, lvl = 0.5 }\n") << 5 << 23
                                          << "unknown key \"lvl\" in \"attack\" of effect 1 (\"a\")";
    QTest::newRow("unknown key in an envelope table") << (kEffectHead + "[effect.fade]\nspeed = 1\n") << 6 << 1
                                                      << "unknown key \"speed\" in \"fade\"";
    QTest::newRow("period on a constant effect") << (kEffectHead + "period = 100\n") << 5 << 1
                                                 << "\"period\" does not apply to a constant effect";
    QTest::newRow("strong on a sine") << (kSineHead + "strong = 1.0\n") << 5 << 1
                                      << "\"strong\" does not apply to a sine effect";
    QTest::newRow("direction on a rumble")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"rumble\"\nduration = 100\nstrong = 1\nweak = 0\n"
                      "direction = 90\n")
        << 7 << 1 << "\"direction\" does not apply to a rumble effect";
    QTest::newRow("magnitude on a ramp")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"ramp\"\nduration = 100\nramp-start = 0\nramp-end = 1\n"
                      "magnitude = 1\n")
        << 7 << 1 << "\"magnitude\" does not apply to a ramp effect";

    // Required keys: reported at the effect's [[effect]].
    QTest::newRow("no name") << QByteArray("\n[[effect]]\ntype = \"sine\"\nduration = 100\n") << 2 << 1
                             << "effect 1: \"name\" is missing";
    QTest::newRow("no type") << QByteArray("\n[[effect]]\nname = \"a\"\nduration = 100\n") << 2 << 1
                             << "\"type\" is missing";
    QTest::newRow("no duration") << QByteArray("\n[[effect]]\nname = \"a\"\ntype = \"sine\"\n") << 2 << 1
                                 << "\"duration\" is missing";
    QTest::newRow("ramp without its end")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"ramp\"\nduration = 100\nramp-start = 0\n") << 1 << 1
        << "\"ramp-end\" is missing";
    QTest::newRow("rumble without weak")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"rumble\"\nduration = 100\nstrong = 1\n") << 1 << 1
        << "\"weak\" is missing";

    // Wrong value types.
    QTest::newRow("duration as text") << QByteArray("[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = \"150\"\n")
                                      << 4 << 12 << "\"duration\" must be a whole number of ms, not a string";
    QTest::newRow("duration with decimals")
        << QByteArray("[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = 150.0\n") << 4 << 12
        << "not a decimal number";
    QTest::newRow("magnitude as text") << (kEffectHead + "magnitude = \"loud\"\n") << 5 << 13
                                       << "\"magnitude\" must be a number from 0 to 1, not a string";
    QTest::newRow("name as number") << QByteArray("[[effect]]\nname = 5\ntype = \"sine\"\nduration = 100\n") << 2
                                    << 8 << "\"name\" must be a string, not an integer";
    QTest::newRow("type as number") << QByteArray("[[effect]]\nname = \"a\"\ntype = 3\nduration = 100\n") << 3 << 8
                                    << "\"type\" must be one of constant, sine";
    QTest::newRow("unknown type") << QByteArray("[[effect]]\nname = \"a\"\ntype = \"saw\"\nduration = 100\n") << 3
                                  << 8 << "not \"saw\"";
    QTest::newRow("type in capitals") << QByteArray("[[effect]]\nname = \"a\"\ntype = \"Sine\"\nduration = 100\n")
                                      << 3 << 8 << "not \"Sine\"";
    QTest::newRow("envelope as number") << (kEffectHead + "attack = 10\n") << 5 << 10
                                        << "\"attack\" must be a table";
    QTest::newRow("envelope time as text") << (kEffectHead + "fade = { time = \"10\" }\n") << 5 << 17
                                           << "\"time\" of \"fade\" must be a whole number of ms";
    QTest::newRow("phase as boolean") << (kSineHead + "phase = true\n") << 5 << 9 << "not a boolean";
    QTest::newRow("delay as date") << (kSineHead + "delay = 2024-01-01\n") << 5 << 9 << "not a date";

    // Values out of range, one of each kind.
    QTest::newRow("duration 0") << QByteArray("[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = 0\n") << 4 << 12
                                << "\"duration\" must be from 1 to 10000 ms, not 0";
    QTest::newRow("duration over 10 s")
        << QByteArray("[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = 10001\n") << 4 << 12 << "not 10001";
    QTest::newRow("duration beyond 64 bits")
        << QByteArray("[[effect]]\nname = \"a\"\ntype = \"sine\"\nduration = 9223372036854775807\n") << 4 << 12
        << "not 9223372036854775807";
    QTest::newRow("negative delay") << (kSineHead + "delay = -1\n") << 5 << 9 << "\"delay\" must be from 0 to 10000";
    QTest::newRow("period 0") << (kSineHead + "period = 0\n") << 5 << 10 << "\"period\" must be from 1 to 10000";
    QTest::newRow("phase 360") << (kSineHead + "phase = 360\n") << 5 << 9 << "from 0 to 359 degrees, not 360";
    QTest::newRow("negative direction") << (kSineHead + "direction = -1\n") << 5 << 13 << "not -1";
    QTest::newRow("magnitude over 1") << (kSineHead + "magnitude = 1.5\n") << 5 << 13
                                      << "\"magnitude\" must be from 0 to 1, not 1.5";
    QTest::newRow("negative magnitude") << (kSineHead + "magnitude = -0.1\n") << 5 << 13 << "not -0.1";
    QTest::newRow("magnitude not a number") << (kSineHead + "magnitude = nan\n") << 5 << 13 << "not nan";
    QTest::newRow("magnitude infinite") << (kSineHead + "magnitude = inf\n") << 5 << 13 << "not inf";
    QTest::newRow("offset below -1") << (kSineHead + "offset = -1.01\n") << 5 << 10
                                     << "\"offset\" must be from -1 to 1";
    QTest::newRow("ramp start below -1")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"ramp\"\nduration = 100\nramp-start = -2\nramp-end = 1\n")
        << 5 << 14 << "\"ramp-start\" must be from -1 to 1, not -2";
    QTest::newRow("strong over 1")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"rumble\"\nduration = 100\nstrong = 2\nweak = 0\n") << 5
        << 10 << "\"strong\" must be from 0 to 1, not 2";
    QTest::newRow("negative weak")
        << QByteArray("[[effect]]\nname = \"r\"\ntype = \"rumble\"\nduration = 100\nstrong = 1\nweak = -0.5\n") << 6
        << 8 << "\"weak\" must be from 0 to 1";
    QTest::newRow("negative attack time") << (kEffectHead + "attack = { time = -1 }\n") << 5 << 19
                                          << "\"time\" of \"attack\" must be from 0 to 10000 ms, not -1";
    QTest::newRow("fade level over 1") << (kEffectHead + "fade = { level = 1.5 }\n") << 5 << 18
                                       << "\"level\" of \"fade\" must be from 0 to 1, not 1.5";
    QTest::newRow("envelope longer than the effect")
        << (kEffectHead + "attack = { time = 60 }\nfade = { time = 41 }\n") << 4 << 12
        << "attack and fade together last 101 ms, longer than the duration of 100 ms";

    // Names.
    QTest::newRow("empty name") << QByteArray("[[effect]]\nname = \"\"\ntype = \"sine\"\nduration = 100\n") << 2 << 8
                                << "effect 1: the name is blank";
    QTest::newRow("blank name") << QByteArray("[[effect]]\nname = \"   \"\ntype = \"sine\"\nduration = 100\n") << 2
                                << 8 << "the name is blank";
    QTest::newRow("tabs and ideographic space")
        << QByteArray("[[effect]]\nname = \"\\t\xE3\x80\x80 \"\ntype = \"sine\"\nduration = 100\n") << 2 << 8
        << "the name is blank";
    QTest::newRow("line break in a name")
        << QByteArray("[[effect]]\nname = \"a\\nb\"\ntype = \"sine\"\nduration = 100\n") << 2 << 8
        << "control character";
    QTest::newRow("duplicate name") << (kEffectHead + "\n" + kEffectHead) << 7 << 8
                                    << "effect 2 (\"a\"): the name is already used by the effect on line 2";

    // Found by the fuzzer or by hand; each once crashed or aborted the parser.
    // toml++ 3.3.0 asserted in parse_key on a header starting with a third '['.
    QTest::newRow("regression: [[[1]]]") << QByteArray("[[[1]]]") << 1 << -1 << "not valid TOML";
    QTest::newRow("regression: [[=") << QByteArray("[[=") << 1 << -1 << "not valid TOML";
    QTest::newRow("regression: []") << QByteArray("[]") << 1 << -1 << "not valid TOML";
    // toml++ 3.3.0 reached __builtin_unreachable() asking whether a non-ASCII
    // character (U+0196, hiragana, U+FE7F, …) is white space.
    QTest::newRow("regression: fuzzer's U+FE7F in a key")
        << QByteArray("[[effect]]\nname = \"\"\"multi\nline\"\"\"\ntype = 'sine'\nd\xEF\xB9\xBFtion = \"150\"\n") << 5
        << 2 << "not valid TOML";
    QTest::newRow("regression: fuzzer's U+0196 after a key")
        << QByteArray("veramp-end \xC6\x96nf#{[\x01\x00]oc \"si 10u&uuuu= 1, lvpe 0.5= \"si 10u&uuuu= 1, lvl = 0 }\n", 78)
        << 1 << 12 << "not valid TOML";
    QTest::newRow("regression: fuzzer's U+FEBF after a number")
        << QByteArray("e222w= 2222222222222\"rbelum\xEF\xBA\xBF\n {\" \".n\xBE") << 1 << 21 << "not valid TOML";
    QTest::newRow("regression: U+FE0F after a value") << QByteArray("x = 1\xEF\xB8\x8F\n") << 1 << 6
                                                       << "not valid TOML";
    QTest::newRow("regression: U+FCC6 in a table header") << QByteArray("\n[a\xEF\xB3\x86]\n") << 2 << 3
                                                          << "not valid TOML";
    QTest::newRow("regression: name without quotes")
        << QByteArray("[[effect]]\nname = \xE3\x80\x8C\xE3\x83\x8E\xE3\x83\x83\xE3\x82\xAF\xE3\x80\x8D\n") << 2 << 8
        << "not valid TOML";
    QTest::newRow("regression: date, space, hiragana") << QByteArray("x = 2024-01-01 \"\xE3\x81\xB2\n") << 1 << -1
                                                       << "not valid TOML";
    QTest::newRow("regression: escaped U+FEFE in a multi-line string")
        << QByteArray("[[effect]]\nname = \"\"\"\\\xEF\xBB\xBE\"\"\"\n") << 2 << 12 << "not valid TOML";
    QTest::newRow("a syntax error before a deep key comes first")
        << ("name =\n[[effect]]\n" + QByteArray("a.").repeated(100) + "b = 1\n") << 1 << -1 << "not valid TOML";
    QTest::newRow("an open array before a deep key is no error")
        << ("a = [\n1,\n{" + QByteArray("a.").repeated(100) + "b = 1}]\n") << 3 << 131 << "more than 64 dots";
}

void TestEffectFile::badFileIsRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, message);

    const ParsedEffectFile parsed = parse(text);
    QVERIFY(!parsed.ok());
    QVERIFY(parsed.effects.empty());
    const bool found = std::any_of(parsed.problems.begin(), parsed.problems.end(), [&](const EffectFileProblem &p) {
        return p.line == line && (column < 0 || p.column == column) && p.message.contains(message);
    });
    QVERIFY2(found, qPrintable(QStringLiteral("wanted %1:%2: …%3…; got:\n%4")
                                   .arg(line)
                                   .arg(column)
                                   .arg(message, describe(parsed))));
}

void TestEffectFile::everyProblemIsReportedInLineOrder()
{
    const ParsedEffectFile parsed = parse(R"(colour = 1
[[effect]]
name = "a"
type = "sine"
duration = 0
magnitude = 2
[[effect]]
name = "a"
type = "wobble"
duration = 100
attack = { time = 5, shape = "round" }
)");
    QVERIFY(parsed.effects.empty());
    QList<int> lines;
    for (const EffectFileProblem &p : parsed.problems)
        lines << p.line;
    QCOMPARE(lines, QList<int>({1, 5, 6, 8, 9, 11}));
}

void TestEffectFile::fileOfExactlyTheLimitIsRead()
{
    QByteArray text = manyEffects(kMaxEffectsPerFile);
    text += '#';
    text += QByteArray(kMaxEffectFileBytes - text.size(), 'x');
    QCOMPARE(text.size(), kMaxEffectFileBytes);
    const ParsedEffectFile parsed = parse(text);
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(kMaxEffectsPerFile));
}

void TestEffectFile::readFileGivesTheEffects()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("two.ifr")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kEffectHead + "[[effect]]\nname = \"b\"\ntype = \"rumble\"\nduration = 50\nstrong = 1\nweak = 1\n");
    file.close();

    const ParsedEffectFile parsed = readEffectFile(file.fileName());
    QVERIFY2(parsed.ok(), qPrintable(describe(parsed)));
    QCOMPARE(parsed.effects.size(), std::size_t(2));
    QCOMPARE(parsed.effects[1].name, QStringLiteral("b"));
}

void TestEffectFile::readFileRefusesWhatIsNotAnEffectFile_data()
{
    QTest::addColumn<QString>("name"); // inside a temporary folder
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "nosuch.ifr" << "does not exist";
    QTest::newRow("folder") << "folder.ifr" << "is a folder, not an effect file";
    QTest::newRow("oversized") << "big.ifr" << "the file is 1048577 bytes; an effect file may be at most 1 MiB";
    QTest::newRow("no path") << QString() << "no effect file was given";
}

void TestEffectFile::readFileRefusesWhatIsNotAnEffectFile()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ifr")));
    QFile big(dir.filePath(QStringLiteral("big.ifr")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(kMaxEffectFileBytes + 1)); // a valid comment would not matter: the size decides
    big.close();

    const ParsedEffectFile parsed = readEffectFile(name.isNull() ? QString() : dir.filePath(name));
    QVERIFY(parsed.effects.empty());
    QCOMPARE(parsed.problems.size(), std::size_t(1));
    QCOMPARE(parsed.problems[0].line, 0);
    QVERIFY2(parsed.problems[0].message.contains(message), qPrintable(parsed.problems[0].message));
}

QTEST_GUILESS_MAIN(TestEffectFile)
#include "tst_effectfile.moc"
