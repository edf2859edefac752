// Smooth playing in the real window (offscreen) against the sample archive at 1400 × 1100: a
// 24-hour loop at 10 frames a second with each hour cut into 4 steps, first pass and after.
// Prints how many made frames were shown in time and how many were passed over (the real frame
// standing instead). Timing never fails anything.
#include "benchsupport.h"
#include "samplearchive.h"
#include "window/formmain.h"
#include "window/player.h"
#include "window/smoother.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace veltaro;

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 30;
    sample::SampleArchive archive;
    if (!serveFrom(archive))
        return 1;
    QTemporaryDir dir;
    const auto started = windowShowingTheMoment(dir.path());
    Formmain &window = *started;
    Smoother &smoother = window.smoother();
    smoother.setOn(true);
    smoother.setSteps(4);
    Player &player = window.player();
    player.setSpeed(Player::kFastest);
    player.setLoopHours(24);
    player.playLoop();
    // Each pass of 24 hours in 4 steps at 10 a second is about 9.6 s.
    const auto watch = [&](int ms) {
        const int shownBefore = smoother.shown(), missedBefore = smoother.missed();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return std::pair{smoother.shown() - shownBefore, smoother.missed() - missedBefore};
    };
    const auto [firstShown, firstMissed] = watch(10000);
    std::printf("24-hour loop, 4 steps an hour, 10 frames a second, 1400 × 1100\n");
    std::printf("  first pass (10 s):  %d made frames shown in time, %d passed over\n", firstShown, firstMissed);
    const auto [shown, missed] = watch(seconds * 1000);
    std::printf("  after it (%d s):   %d made frames shown in time, %d passed over (%.1f %%)\n", seconds, shown,
                missed, shown + missed > 0 ? 100.0 * missed / (shown + missed) : 0.0);
    player.stop();
    return 0;
}
