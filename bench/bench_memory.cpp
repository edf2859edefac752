// Peak resident memory, one process per figure:
//   bench_memory sample SIDE FILE      writes a SIDE × SIDE sample JPEG to FILE
//   bench_memory bare                  the bare window, shown
//   bench_memory veltaro FILE PRESSES  Veltaro's window with FILE downloaded and shown, PRESSES
//                                      times
//   bench_memory playback FILE HOURS   Veltaro playing HOURS hours at 10 a second, FILE for each
// Each prints its peak resident memory in KiB; veltaro also prints, after it, the resident
// memory once the presses have settled (the memory kept for a next picture let go).
#include "barewindow.h"
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "retrieval/displaycommand.h"
#include "window/formmain.h"
#include "window/player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    if (std::strcmp(argv[1], "sample") == 0 && argc == 4) {
        const int side = std::atoi(argv[2]);
        QFile file(QString::fromLocal8Bit(argv[3]));
        const QByteArray bytes = veltaro::sample::cloudJpeg(QStringLiteral("8071802"), {side, side});
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }

    if (std::strcmp(argv[1], "bare") == 0) {
        const auto window = makeBareWindow();
        showAndWaitForPaint(window.get());
        std::printf("%ld\n", peakResidentKiB());
        return 0;
    }
    const bool playback = std::strcmp(argv[1], "playback") == 0;
    if ((!playback && std::strcmp(argv[1], "veltaro") != 0) || argc != 4)
        return 2;
    const int presses = std::max(1, std::atoi(argv[3]));

    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    LoopServer server;
    server.setBody(file.readAll());
    file.close();
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    qunsetenv("no_proxy");

    QTemporaryDir dir;
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    window.Form_Load();
    showAndWaitForPaint(&window);
    pickMoment(window);
    if (playback) {
        // One press shows the first hour; then `presses` hours at 10 a second, pictures fetched
        // and decoded ahead; the peak is taken while playing, the settled figure after it.
        pressAndWait(window);
        veltaro::Player &player = window.player();
        for (int i = 0; i < veltaro::Player::kFastest; ++i)
            player.faster();
        player.play();
        QElapsedTimer playing;
        playing.start();
        while (player.isPlaying() && playing.elapsed() < presses * 100)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        player.stop();
        if (!player.skipped().isEmpty())
            return 1;
    }
    for (int press = 0; press < (playback ? 0 : presses); ++press) {
        pressAndWait(window);
        if (!qobject_cast<QLabel *>(window.control("Label5"))->text().isEmpty())
            return 1;
        window.repaint();
        QCoreApplication::processEvents();
    }
    const long peak = peakResidentKiB();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < veltaro::DisplayCommand::kKeepSpareMs + 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    std::printf("%ld %ld\n", peak, residentKiB());
    return 0;
}
