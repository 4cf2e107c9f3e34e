// SPDX-License-Identifier: GPL-3.0-or-later
// How long a new game takes on the real window: one gathering pass, the whole
// gathering, the pair assignment and the deal. Prints figures; never fails on
// timing.
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "game/globals.h"
#include "game/paths.h"
#include "fakes/fakehaptic.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pelnori;

namespace {

// The real platform, with a stopwatch on every yield so the phases of a
// start can be told apart.
class TimedPlatform : public QtPlatform
{
public:
    void yieldEvents() override
    {
        QtPlatform::yieldEvents();
        const qint64 now = clock.nsecsElapsed();
        if (game && game->assigningPairs()) {
            lastAssignYield = now;
        } else if (lastAssignYield == 0) {
            lastGatherYield = now;
        }
    }

    QElapsedTimer clock;
    const Game *game = nullptr;
    qint64 lastGatherYield = 0;
    qint64 lastAssignYield = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    TimedPlatform platform;
    Globals globals;
    frmMain window(platform, globals, nullptr);
    platform.setMainWindow(&window);
    window.Form_Load([&](const QString &) -> std::unique_ptr<HapticInterface> {
        auto control = std::make_unique<test::FakeHaptic>();
        control->addFile(programFile(platform.programFolder(), kDefaultEffectFile), 10);
        return control;
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(200); // let the activation shake pass
    platform.game = &window.game();

    constexpr int kRuns = 20;
    std::vector<double> pass, gathering, assignment, deal, total;
    for (int run = 0; run < kRuns; ++run) {
        platform.lastGatherYield = platform.lastAssignYield = 0;
        platform.clock.start();
        window.btnStart_Click();
        const qint64 end = platform.clock.nsecsElapsed();
        gathering.push_back(platform.lastGatherYield / 1e6);
        pass.push_back(platform.lastGatherYield / 1e6 / 145.0);
        assignment.push_back((platform.lastAssignYield - platform.lastGatherYield) / 1e6);
        deal.push_back((end - platform.lastAssignYield) / 1e6);
        total.push_back(end / 1e6);
    }
    std::printf("new game on the real window (%s platform), median of %d starts:\n",
                qPrintable(QGuiApplication::platformName()), kRuns);
    std::printf("  one gathering pass  %8.3f ms\n", median(pass));
    std::printf("  whole gathering     %8.3f ms\n", median(gathering));
    std::printf("  AssignPairs         %8.3f ms\n", median(assignment));
    std::printf("  deal                %8.3f ms\n", median(deal));
    std::printf("  whole start         %8.3f ms\n", median(total));
    platform.endProgram();
    return 0;
}
