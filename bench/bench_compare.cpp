// Comparing two moments at 2288²: what each composite costs off the window's thread, beside an
// enhancement table; a switch of mode in the real window (offscreen) from the command to the
// composite painted; and blinking at 10 a second, how evenly the pictures change. Prints
// medians; timing never fails anything.
#include "benchsupport.h"
#include "cloudpicture.h"
#include "samplearchive.h"
#include "picture/comparison.h"
#include "picture/enhancement.h"
#include "widgets/picturebox.h"
#include "window/actiontable.h"
#include "window/comparer.h"
#include "window/formmain.h"
#include "window/player.h"
#include "window/shownpicture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace veltaro;

namespace {

class PaintSeen : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Handles events until `done`, or gives up after ten seconds.
template <typename Done> bool until(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QSize size(2288, 2288);

    // The composites alone.
    const QImage a = sample::cloudPicture(QStringLiteral("8071802"), size).convertToFormat(QImage::Format_RGB32);
    const QImage b = sample::cloudPicture(QStringLiteral("8071702"), size).convertToFormat(QImage::Format_RGB32);
    QStringList problems;
    const auto tables = loadEnhancementTables({QStringLiteral(VELTARO_DATA_DIR "/enhancements")}, &problems);
    const Enhancement table = tables.empty() ? Enhancement::invert() : Enhancement::table(tables.front());
    std::printf("composites at 2288², medians of %d (the floor: an enhancement table applied)\n", rounds);
    const std::pair<const char *, std::function<void()>> works[] = {
        {"enhancement table", [&] { (void)table.apply(a); }},
        {"difference", [&] { (void)comparison::difference(a, b); }},
        {"fade", [&] { (void)comparison::fade(a, b, 50); }},
        {"swipe", [&] { (void)comparison::swipe(a, b, 1144); }},
        {"side by side", [&] { (void)comparison::sideBySide(a, b, Qt::Horizontal, 8); }},
    };
    double floor = 0;
    for (const auto &[name, work] : works) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round)
            times.push_back(timed(work));
        if (floor == 0)
            floor = median(times);
        std::printf("  %-18s %7.2f ms  %5.2f x\n", name, median(times), median(times) / floor);
    }

    // The real window against the sample archive at 2288².
    sample::SampleArchive archive;
    archive.setPictureSize(size);
    if (!serveFrom(archive))
        return 1;
    QTemporaryDir dir;
    const auto started = windowShowingTheMoment(dir.path());
    Formmain &window = *started;
    auto *box = window.findChild<PictureBox *>(QStringLiteral("Picture2"));
    if (!box)
        return 1;
    PaintSeen paints;
    box->innerArea()->installEventFilter(&paints);
    Comparer &comparer = window.comparer();
    comparer.setOn(true);
    if (!until([&] { return window.shownPicture().isCompositing(); }))
        return 1;

    std::printf("a switch of mode in the window, from the command to the composite painted (target 50 ms), medians of %d\n",
                rounds);
    const std::pair<const char *, Command> modes[] = {
        {"difference", Command::Difference}, {"fade", Command::Fade}, {"side by side", Command::SideBySide},
        {"swipe", Command::Swipe}, {"blink", Command::Blink}};
    for (const auto &[name, command] : modes) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            // From another mode each time, so that every switch makes its composite.
            const qint64 first = box->picture().cacheKey();
            window.actions().action(command == Command::Swipe ? Command::Fade : Command::Swipe)->trigger();
            until([&] { return box->picture().cacheKey() != first; });
            const qint64 before = box->picture().cacheKey();
            QElapsedTimer clock;
            clock.start();
            paints.painted = false;
            window.actions().action(command)->trigger();
            until([&] { return box->picture().cacheKey() != before && paints.painted; });
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::printf("  %-18s %7.2f ms\n", name, median(times));
    }

    // Blinking at the fastest speed: the moments the box changes over three seconds.
    window.player().setSpeed(Player::kFastest);
    window.actions().action(Command::Blink)->trigger();
    std::vector<double> changes;
    QElapsedTimer clock;
    clock.start();
    qint64 last = box->picture().cacheKey();
    while (clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (box->picture().cacheKey() != last) {
            last = box->picture().cacheKey();
            changes.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::vector<double> gaps;
    for (size_t i = 1; i < changes.size(); ++i)
        gaps.push_back(changes[i] - changes[i - 1]);
    const double longest = gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end());
    std::printf("blink at %d a second over 3 s: %zu changes (30 expected), gaps median %.1f ms, longest %.1f ms\n",
                Player::kFastest, changes.size(), gaps.empty() ? 0.0 : median(gaps), longest);
    return 0;
}
