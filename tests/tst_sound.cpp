// SPDX-License-Identifier: GPL-3.0-or-later

// What the player hears of tremka.ifr with the sound on: the real control with
// no pad, on SDL's disk audio driver, which writes every sample it is handed
// to a file.

#include "fakes/diskaudio.h"
#include "effects/effectfile.h"
#include "effects/effectsound.h"
#include "device/sdlhapticcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace pelnori {
using test::DiskAudio;

namespace {

QString tremka()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tremka.ifr"));
}

// Everything the audio output was handed: the effect, or the effect cut
// after cutAfterMs by another, and a while of what followed.
std::vector<float> hear(const QString &name, const QString &cutBy = {}, int cutAfterMs = 0)
{
    DiskAudio audio;
    auto control = SdlHapticControl::create({.sound = true});
    if (!control || !control->ForceDeviceAttached())
        return {};
    const auto handle = control->OpenForceResource(tremka());
    control->StartEffect(name, handle);
    if (!cutBy.isEmpty()) {
        QTest::qWait(cutAfterMs);
        control->StartEffect(cutBy, handle);
    }
    control->waitUntilIdle(std::chrono::seconds(5));
    QTest::qWait(100);
    control.reset();
    return audio.samples();
}

double msOf(std::ptrdiff_t samples)
{
    return double(samples) * 1000.0 / kSoundRate;
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void effectIsHeardForItsLengthThenSilence_data();
    void effectIsHeardForItsLengthThenSilence();
    void pairSoundsAlikeOtherEffectsDoNot();
    void effectsOfAGameAreToldApartByEar();
};

void TestSound::effectIsHeardForItsLengthThenSilence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cutBy"); // started 200 ms after name
    QTest::addColumn<double>("fromMs");
    QTest::addColumn<double>("toMs");
    QTest::newRow("one knock, fading") << QStringLiteral("ノック") << QString() << 148.0 << 156.0;
    QTest::newRow("two knocks") << QStringLiteral("ダブルノック") << QString() << 358.0 << 366.0;
    // The last 80 ms of its 480 are the silent half of a period.
    QTest::newRow("three taps, weak motor") << QStringLiteral("三連打") << QString() << 398.0 << 406.0;
    QTest::newRow("1.5 s pulse cut by a knock") << QStringLiteral("ゆっくり脈") << QStringLiteral("ノック") << 330.0
                                                << 380.0;
}

void TestSound::effectIsHeardForItsLengthThenSilence()
{
    QFETCH(QString, name);
    QFETCH(QString, cutBy);
    QFETCH(double, fromMs);
    QFETCH(double, toMs);
    const auto all = hear(name, cutBy, 200);
    const auto heard = [](float sample) { return sample != 0.0f; };
    const auto first = std::find_if(all.begin(), all.end(), heard);
    const auto last = std::find_if(all.rbegin(), all.rend(), heard);
    QVERIFY(first != all.end());
    const double lengthMs = msOf(last.base() - first);
    QVERIFY2(lengthMs >= fromMs && lengthMs <= toMs, qPrintable(QString::number(lengthMs)));
    // Silence follows, rather than a sound that lasts until the output closes.
    QVERIFY2(msOf(last - all.rbegin()) > 50.0, qPrintable(QString::number(msOf(last - all.rbegin()))));
    QVERIFY(*std::max_element(first, last.base()) > 0.2f);
    // From one sample to the next a tone moves by less; a larger step clicks.
    const auto click = std::adjacent_find(first, last.base(), [](float a, float b) { return std::abs(b - a) > 0.1f; });
    QVERIFY2(click == last.base(), qPrintable(QString::number(msOf(click - first))));
}

void TestSound::pairSoundsAlikeOtherEffectsDoNot()
{
    const auto knock = DiskAudio::trimmed(hear(QStringLiteral("ノック")));
    QVERIFY(!knock.empty());
    QVERIFY(knock == DiskAudio::trimmed(hear(QStringLiteral("ノック"))));
    QVERIFY(knock != DiskAudio::trimmed(hear(QStringLiteral("ゆっくり脈"))));
}

// Each of the eight effects of a game is heard apart from the other seven:
// for at least 60 ms one of the two is twice as loud (6 dB) as the other.
void TestSound::effectsOfAGameAreToldApartByEar()
{
    const ParsedEffectFile file = readEffectFile(tremka());
    QVERIFY(file.ok() && file.effects.size() >= 8);
    constexpr int kStep = kSoundRate / 50;
    std::vector<std::vector<double>> loudness;
    for (std::size_t i = 0; i < 8; ++i) {
        std::vector<float> sound(std::size_t(kSoundRate) * 3);
        EffectVoice(file.effects[i]).mixInto(sound.data(), int(sound.size()));
        loudness.emplace_back();
        for (std::size_t from = 0; from < sound.size(); from += kStep) {
            double sum = 0.0;
            for (std::size_t s = from; s < from + kStep; ++s)
                sum += double(sound[s]) * sound[s];
            loudness.back().push_back(std::sqrt(sum / kStep));
        }
    }
    for (std::size_t a = 0; a < 8; ++a) {
        for (std::size_t b = a + 1; b < 8; ++b) {
            const auto apart = std::inner_product(
                loudness[a].begin(), loudness[a].end(), loudness[b].begin(), 0, std::plus<>(), [](double x, double y) {
                    return std::max(x, y) > 0.02 && std::min(x, y) < std::max(x, y) / 2.0 ? 1 : 0;
                });
            QVERIFY2(apart * 20 >= 60, qPrintable(file.effects[a].name + u' ' + file.effects[b].name));
        }
    }
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestSound)
#include "tst_sound.moc"
