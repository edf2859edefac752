// A press as the user waits for it: the built Veltaro under a real X server (Xvfb, 1920 × 1080,
// no window manager), Return sent through XTest to the focused "显示", the clock stopped when the
// X server reports (XDamage) that the picture's visible part has been drawn. Beside it the floor,
// bench_floor, a bare X11 client doing the least any program must: the same bytes over a
// kept-alive loopback connection, libjpeg-turbo into a reused shared-memory image, the visible
// part put once. Rounds alternate two pictures of one size and the two programs; every round's
// pixels on the screen are checked against a reference decode, so a wrong or partial picture
// never counts as fast. Then start-up, from exec to the first whole drawing of the window,
// against a bare Qt window with the same kinds of widgets.
//
//   bench_press [ROUNDS]
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "rawdecode.h"
#include "xsession.h"

#include <QGuiApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <X11/keysym.h>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr QSize kScreen{1920, 1080};
// Where Veltaro's window shows the picture on this screen: inside the viewport's and the image
// box's two-pixel frames, as much as the viewport's inner area holds.
constexpr QPoint kImageOrigin{24, 17};
constexpr QSize kVisibleAtMost{1874, 858};
constexpr int kWarmUp = 2;

struct Case
{
    int side;
    bool progressive;
    double target; // 0: recorded, no target
};

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(' ', 0, 2)
                                          : QStringLiteral("?");
}

QProcessEnvironment environmentFor(const XSession &x, unsigned short port, const QString &cache)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.displayName());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("http_proxy"), QStringLiteral("http://127.0.0.1:%1").arg(port));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    env.remove(QStringLiteral("no_proxy"));
    env.remove(QStringLiteral("NO_PROXY"));
    return env;
}

// Picks 2008, 07, 18, 10 from the keyboard and leaves the focus on "显示": from the viewport,
// five Tabs reach the year list.
void pickMomentFromTheKeyboard(XSession &x)
{
    for (int i = 0; i < 5; ++i)
        x.key(XK_Tab);
    const char *texts[] = {"8", "07", "18", "10"};
    for (int i = 0; i < 4; ++i) {
        x.type(QString::fromLatin1(texts[i]));
        if (i < 3)
            x.key(XK_Tab);
    }
    for (int i = 0; i < 4; ++i)
        x.key(XK_Tab, true);
}

// One timed press with the picture checked; -1 when the screen does not show the picture.
double timedPress(XSession &x, Window window, const QRect &area, const QImage &expected)
{
    x.focusAndSettle(window);
    const double ms = x.pressAndWaitForDrawing(window, area);
    if (ms < 0)
        return -1;
    const int difference = largestDifference(x.grab(window, area), expected);
    if (difference > 2) {
        std::fprintf(stderr, "a round whose screen differs from the picture by %d\n", difference);
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    // The harness draws its sample pictures' labels; it shows nothing itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    try {
        XSession x(kScreen);
        LoopServer server;
        QTemporaryDir dir;
        const QProcessEnvironment env = environmentFor(x, server.port(), dir.filePath("cache"));
        const QString floorProgram =
            QCoreApplication::applicationDirPath() + QStringLiteral("/bench_floor");

        QProcess veltaro;
        veltaro.setProcessEnvironment(env);
        veltaro.setWorkingDirectory(dir.path());
        veltaro.start(QStringLiteral(VELTARO_EXECUTABLE), {});
        const Window ours = x.windowOf(veltaro.processId());
        if (!ours)
            throw std::runtime_error("Veltaro's window did not appear");
        x.focusAndSettle(ours);
        pickMomentFromTheKeyboard(x);

        std::printf("End to end, key press to the picture drawn (XDamage), Xvfb %d × %d, medians "
                    "of %d interleaved rounds after %d to warm up\n",
                    kScreen.width(), kScreen.height(), rounds, kWarmUp);
        std::printf("picture            JPEG      Veltaro    floor      ratio  target\n");
        const Case cases[] = {{512, false, 1.8}, {2288, false, 1.15}, {4096, false, 1.15},
                              {2288, true, 0}};
        for (const Case &c : cases) {
            const QSize size(c.side, c.side);
            const QByteArray bodies[] = {
                veltaro::sample::cloudJpeg(QStringLiteral("8071802"), size, c.progressive),
                veltaro::sample::cloudJpeg(QStringLiteral("8071803"), size, c.progressive)};
            const QSize visible = size.boundedTo(kVisibleAtMost);
            const QRect area(kImageOrigin, visible);
            QImage expected[2];
            for (int i = 0; i < 2; ++i) {
                QImage decoded(size, QImage::Format_RGB32);
                if (!decodeInto(bodies[i], decoded))
                    throw std::runtime_error("a sample picture does not decode");
                expected[i] = decoded.copy(QRect(QPoint(0, 0), visible));
            }

            QProcess floor;
            floor.setProcessEnvironment(env);
            floor.setProcessChannelMode(QProcess::ForwardedChannels);
            floor.start(floorProgram,
                        {QString::number(server.port()), QString::number(c.side),
                         QString::number(c.side), QString::number(kImageOrigin.x()),
                         QString::number(kImageOrigin.y()), QString::number(visible.width()),
                         QString::number(visible.height())});
            const Window theirs = x.windowOf(floor.processId());
            if (!theirs)
                throw std::runtime_error("the floor's window did not appear");

            std::vector<double> program, bare;
            for (int round = -kWarmUp; round < rounds; ++round) {
                const int which = (round + kWarmUp) % 2;
                server.setBody(bodies[which]);
                const double a = timedPress(x, ours, area, expected[which]);
                server.setBody(bodies[which]);
                const double b = timedPress(x, theirs, area, expected[which]);
                if (a < 0 || b < 0)
                    throw std::runtime_error("a press did not show its picture");
                if (round >= 0) {
                    program.push_back(a);
                    bare.push_back(b);
                }
            }
            floor.terminate();
            floor.waitForFinished(5000);

            const double ratio = median(program) / median(bare);
            std::printf("%4d²%-13s %5lld kB  %6.2f ms  %6.2f ms  %5.2f  %s\n", c.side,
                        c.progressive ? " progressive" : "", qint64(bodies[0].size() / 1000),
                        median(program), median(bare), ratio,
                        c.target > 0 ? qPrintable(QStringLiteral("≤ %1").arg(c.target))
                                     : "recorded");
        }
        veltaro.terminate();
        veltaro.waitForFinished(5000);

        // Start-up: a new process each round, the two programs in turn.
        std::vector<double> startOurs, startBare;
        for (int round = -kWarmUp; round < rounds; ++round) {
            for (bool bareRound : {false, true}) {
                QProcess process;
                process.setProcessEnvironment(env);
                process.setWorkingDirectory(dir.path());
                const double ms = x.startAndWaitForWindowDrawn(
                    process,
                    bareRound ? QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/bench_barewindow")
                              : QStringLiteral(VELTARO_EXECUTABLE),
                    {});
                process.terminate();
                process.waitForFinished(5000);
                if (ms < 0)
                    throw std::runtime_error("a window was never drawn whole");
                if (round >= 0)
                    (bareRound ? startBare : startOurs).push_back(ms);
            }
        }
        std::printf("start-up, exec to the window drawn whole: Veltaro %.1f ms, bare Qt window "
                    "%.1f ms, ratio %.2f (target ≤ 1.15)\n",
                    median(startOurs), median(startBare), median(startOurs) / median(startBare));
        std::printf("load average during the run: %s\n", qPrintable(loadAverage()));
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "bench_press: %s\n", failure.what());
        return 1;
    }
    return 0;
}
