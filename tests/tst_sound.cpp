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

std::ptrdiff_t framesOf(double ms)
{
    return std::ptrdiff_t(ms * kSoundRate / 1000.0);
}

double msOf(std::ptrdiff_t samples)
{
    return double(samples) * 1000.0 / kSoundRate;
}

std::ptrdiff_t firstHeard(const std::vector<float> &samples)
{
    const auto first = std::find_if(samples.begin(), samples.end(), [](float sample) { return sample != 0.0f; });
    return first == samples.end() ? -1 : first - samples.begin();
}

// The effect's sound as it would go on uncut, from its first frame.
std::vector<float> uncut(const QString &name, std::ptrdiff_t frames)
{
    const ParsedEffectFile file = readEffectFile(tremka());
    const auto effect =
        std::find_if(file.effects.begin(), file.effects.end(), [&](const Effect &e) { return e.name == name; });
    std::vector<float> sound(std::size_t(frames), 0.0f);
    if (effect != file.effects.end())
        EffectVoice(*effect).mixInto(sound.data(), int(frames));
    return sound;
}

struct Heard
{
    std::vector<float> samples; // every frame the output wrote
    std::ptrdiff_t cutAt = -1;  // the frame where the first effect was cut
};

// What the audio output was handed: the effect, or the effect cut by another
// once cutAfterMs of it had been written, and listenMs from its start (or the
// cut) onwards. Paced by the frames written, not by the clock: a busy machine
// only makes it slower.
Heard hear(const QString &name, double listenMs, const QString &cutBy = {}, double cutAfterMs = 0.0)
{
    DiskAudio audio;
    Heard heard;
    auto control = SdlHapticControl::create({.sound = true});
    if (!control || !control->ForceDeviceAttached())
        return heard;
    const auto handle = control->OpenForceResource(tremka());
    // Waits until ms have been written past the frame from() finds (-1: none yet).
    const auto written = [&](const std::function<std::ptrdiff_t()> &from, double ms) {
        return QTest::qWaitFor([&] {
            heard.samples = audio.samples();
            const std::ptrdiff_t at = from();
            return at >= 0 && std::ptrdiff_t(heard.samples.size()) >= at + framesOf(ms);
        }, 10000);
    };
    const auto start = [&] { return firstHeard(heard.samples); };
    control->StartEffect(name, handle);
    if (cutBy.isEmpty()) {
        written(start, listenMs);
    } else if (written(start, cutAfterMs)) {
        control->StartEffect(cutBy, handle);
        // The cut is where the sound leaves the first effect's own.
        const auto alone = uncut(name, framesOf(3000.0));
        const auto cut = [&]() -> std::ptrdiff_t {
            const std::ptrdiff_t from = start() - firstHeard(alone);
            if (from < 0)
                return -1;
            const auto length = std::min(std::ptrdiff_t(heard.samples.size()) - from, std::ptrdiff_t(alone.size()));
            const auto left = std::mismatch(alone.begin(), alone.begin() + length, heard.samples.begin() + from);
            return left.first == alone.begin() + length ? -1 : from + (left.first - alone.begin());
        };
        if (written(cut, listenMs))
            heard.cutAt = cut();
    }
    control.reset();
    return heard;
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
    QTest::addColumn<QString>("cutBy"); // started once 200 ms of name are written; the length is then from the cut
    QTest::addColumn<double>("fromMs");
    QTest::addColumn<double>("toMs");
    QTest::newRow("one knock, fading") << QStringLiteral("ノック") << QString() << 148.0 << 156.0;
    QTest::newRow("two knocks") << QStringLiteral("ダブルノック") << QString() << 358.0 << 366.0;
    // The last 80 ms of its 480 are the silent half of a period.
    QTest::newRow("three taps, weak motor") << QStringLiteral("三連打") << QString() << 398.0 << 406.0;
    QTest::newRow("1.5 s pulse cut by a knock") << QStringLiteral("ゆっくり脈") << QStringLiteral("ノック") << 148.0
                                                << 156.0;
}

void TestSound::effectIsHeardForItsLengthThenSilence()
{
    QFETCH(QString, name);
    QFETCH(QString, cutBy);
    QFETCH(double, fromMs);
    QFETCH(double, toMs);
    const auto [all, cutAt] = hear(name, toMs + 100.0, cutBy, 200.0);
    const auto heard = [](float sample) { return sample != 0.0f; };
    const auto first = std::find_if(all.begin(), all.end(), heard);
    const auto last = std::find_if(all.rbegin(), all.rend(), heard);
    QVERIFY(first != all.end());
    auto from = first;
    if (!cutBy.isEmpty()) {
        // Cut where it was asked, long before its own end.
        QVERIFY(cutAt >= 0);
        from = all.begin() + cutAt;
        const double cutMs = msOf(from - first);
        QVERIFY2(cutMs >= 200.0 && cutMs < 1000.0, qPrintable(QString::number(cutMs)));
    }
    const double lengthMs = msOf(last.base() - from);
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
    const auto knock = DiskAudio::trimmed(hear(QStringLiteral("ノック"), 250.0).samples);
    QVERIFY(!knock.empty());
    QVERIFY(knock == DiskAudio::trimmed(hear(QStringLiteral("ノック"), 250.0).samples));
    QVERIFY(knock != DiskAudio::trimmed(hear(QStringLiteral("ゆっくり脈"), 1600.0).samples));
}

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
