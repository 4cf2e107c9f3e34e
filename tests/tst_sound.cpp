// SPDX-License-Identifier: GPL-3.0-or-later

// What the player hears with the sound on: the real control with no pad, on
// SDL's disk audio driver, which writes every sample it is handed to a file.

#include "fakes/diskaudio.h"
#include "fakes/testeffects.h"
#include "haptics/effectfile.h"
#include "haptics/effectsound.h"
#include "haptics/sdlhapticcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace pelnori {
using test::DiskAudio;

namespace {

// From one sample to the next a tone moves by less; a larger step is a click.
constexpr float kClick = 0.1f;

double msOf(std::size_t samples)
{
    return double(samples) * 1000.0 / 48000.0;
}

float largestStep(const std::vector<float> &sound)
{
    float largest = 0.0f;
    for (std::size_t i = 1; i < sound.size(); ++i)
        largest = std::max(largest, std::abs(sound[i] - sound[i - 1]));
    return largest;
}

QString tremka()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tremka.ifr"));
}

// Loudness in 20 ms steps.
std::vector<double> loudness(const std::vector<float> &sound)
{
    std::vector<double> steps;
    for (std::size_t from = 0; from < sound.size(); from += 960) {
        double sum = 0.0;
        const std::size_t to = std::min(sound.size(), from + 960);
        for (std::size_t i = from; i < to; ++i)
            sum += double(sound[i]) * sound[i];
        steps.push_back(std::sqrt(sum / double(to - from)));
    }
    return steps;
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void effectIsHeardForItsLengthThenSilence_data();
    void effectIsHeardForItsLengthThenSilence();
    void pairSoundsAlikeOtherEffectsDoNot();
    void newEffectCutsTheOldWithoutAClick();
    void tremkaEffectsAreToldApartByEar();

private:
    // Everything the output was handed while the effect played, and a
    // while after its end.
    std::vector<float> hear(const QString &path, const QString &name);

    QTemporaryDir m_dir;
    QString m_path;
};

void TestSound::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("test.ifr"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(test::kTestEffects);
}

std::vector<float> TestSound::hear(const QString &path, const QString &name)
{
    DiskAudio audio;
    auto control = SdlHapticControl::create({.sound = true});
    if (!control || !control->TouchSenseDeviceAttached())
        return {};
    control->StartEffect(name, control->OpenForceResource(path));
    control->waitUntilIdle(std::chrono::seconds(10));
    QTest::qWait(100);
    control.reset();
    return audio.samples();
}

void TestSound::effectIsHeardForItsLengthThenSilence_data()
{
    QTest::addColumn<bool>("fromTremka");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("lengthMs");
    QTest::newRow("strong motor, 100 ms") << false << QStringLiteral("knock") << 100.0;
    QTest::newRow("two knocks, 360 ms") << true << QStringLiteral("ダブルノック") << 360.0;
    // Its last 80 ms are the silent half of the last period.
    QTest::newRow("weak motor, three taps in 480 ms") << true << QStringLiteral("三連打") << 400.0;
}

void TestSound::effectIsHeardForItsLengthThenSilence()
{
    QFETCH(bool, fromTremka);
    QFETCH(QString, name);
    QFETCH(double, lengthMs);
    const auto all = hear(fromTremka ? tremka() : m_path, name);
    const auto sounded = std::find_if(all.rbegin(), all.rend(), [](float s) { return s != 0.0f; });
    QVERIFY(sounded != all.rend());
    // Silence after the end, not a sound that goes on until the output closes.
    QVERIFY2(msOf(std::size_t(sounded - all.rbegin())) > 50.0, qPrintable(QString::number(msOf(sounded - all.rbegin()))));

    const auto sound = DiskAudio::trimmed(all);
    QVERIFY2(msOf(sound.size()) > lengthMs - 2.0 && msOf(sound.size()) < lengthMs + kSoundRampMs + 2.0,
             qPrintable(QString::number(msOf(sound.size()))));
    QVERIFY(*std::max_element(sound.begin(), sound.end()) > 0.2f);
    QVERIFY2(largestStep(sound) < kClick, qPrintable(QString::number(largestStep(sound))));
}

void TestSound::pairSoundsAlikeOtherEffectsDoNot()
{
    const auto first = DiskAudio::trimmed(hear(tremka(), QStringLiteral("ノック")));
    const auto second = DiskAudio::trimmed(hear(tremka(), QStringLiteral("ノック")));
    const auto other = DiskAudio::trimmed(hear(tremka(), QStringLiteral("ゆっくり脈")));
    QVERIFY(!first.empty());
    QVERIFY(first == second);
    QVERIFY(!other.empty());
    QVERIFY(first != other);
}

void TestSound::newEffectCutsTheOldWithoutAClick()
{
    DiskAudio audio;
    auto control = SdlHapticControl::create({.sound = true});
    QVERIFY(control && control->TouchSenseDeviceAttached());
    const auto handle = control->OpenForceResource(m_path);
    control->StartEffect(QStringLiteral("hum"), handle);
    QTest::qWait(200);
    control->StartEffect(QStringLiteral("knock"), handle);
    QVERIFY(control->waitUntilIdle(std::chrono::seconds(2)));
    QTest::qWait(100);
    control.reset();

    // The five-second hum is gone with the 100 ms knock.
    const auto sound = DiskAudio::trimmed(audio.samples());
    QVERIFY2(msOf(sound.size()) > 250.0 && msOf(sound.size()) < 350.0, qPrintable(QString::number(msOf(sound.size()))));
    QVERIFY2(largestStep(sound) < kClick, qPrintable(QString::number(largestStep(sound))));
}

// Each of the eight effects of a game with the default file is heard
// differently from the other seven: in rhythm, length or strength.
void TestSound::tremkaEffectsAreToldApartByEar()
{
    const ParsedEffectFile file = readEffectFile(tremka());
    QVERIFY(file.ok() && file.effects.size() >= 8);
    std::vector<std::vector<double>> heard;
    for (std::size_t i = 0; i < 8; ++i) {
        EffectVoice voice(file.effects[i]);
        std::vector<float> sound(std::size_t(kSoundRate) * 3);
        voice.mixInto(sound.data(), int(sound.size()));
        QVERIFY(voice.done());
        heard.push_back(loudness(sound));
    }
    for (std::size_t a = 0; a < 8; ++a) {
        for (std::size_t b = a + 1; b < 8; ++b) {
            // Steps in which one is at least twice as loud as the other (6 dB).
            int louder = 0;
            for (std::size_t i = 0; i < heard[a].size(); ++i) {
                const double more = std::max(heard[a][i], heard[b][i]);
                const double less = std::min(heard[a][i], heard[b][i]);
                louder += more > 0.02 && less < more / 2.0 ? 1 : 0;
            }
            // 60 ms of it is heard.
            QVERIFY2(louder >= 3, qPrintable(file.effects[a].name + u' ' + file.effects[b].name));
        }
    }
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestSound)
#include "tst_sound.moc"
