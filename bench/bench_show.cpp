// Show latency: from the press of "显示" to the empty status line, against the floor (the same
// bytes over a plain loopback socket, decoded to RGB with libjpeg-turbo), for several sizes.
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "rawdecode.h"
#include "platform/processsettings.h"
#include "window/formmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, atoi(argv[1])) : 21;

    LoopServer server;
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    qunsetenv("no_proxy");
    veltaro::applyProcessSettings();
    QTemporaryDir dir;
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    window.Form_Load();
    window.showStarted();
    pickMoment(window);
    auto *status = qobject_cast<QLabel *>(window.control("Label5"));

    std::printf("%-10s %9s %12s %12s %7s\n", "picture", "JPEG", "Veltaro", "floor", "ratio");
    for (int side : {512, 1024, 2288, 4096}) {
        // Quality 95 makes the 2288 × 2288 picture about 1 MB.
        const QByteArray body = veltaro::sample::cloudJpeg("8071802", {side, side}, false, 95);
        server.setBody(body);

        std::vector<double> ours, floor;
        for (int i = -2; i < presses; ++i) { // two presses to warm up
            QElapsedTimer clock;
            clock.start();
            window.Command1_Click();
            const double ms = clock.nsecsElapsed() / 1e6;
            if (!status->text().isEmpty()) {
                std::fprintf(stderr, "the press failed: %s\n", qPrintable(status->toolTip()));
                return 1;
            }
            clock.restart();
            int width = 0, height = 0;
            const auto pixels = decodeToRgb(fetchPlain(server.port()), &width, &height);
            const double floorMs = clock.nsecsElapsed() / 1e6;
            if (width != side || pixels.empty())
                return 1;
            if (i >= 0) {
                ours.push_back(ms);
                floor.push_back(floorMs);
            }
            QCoreApplication::processEvents(); // let the window repaint between presses
        }
        std::printf("%4d²      %7.0f kB %9.1f ms %9.1f ms %7.2f\n", side, body.size() / 1000.0,
                    median(ours), median(floor), median(ours) / median(floor));
    }
    std::printf("(medians of %d presses each)\n", presses);
    return 0;
}
