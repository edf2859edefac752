// Peak resident memory, one process per figure:
//   bench_memory sample SIDE FILE      writes a SIDE × SIDE sample JPEG to FILE
//   bench_memory bare                  the bare window, shown
//   bench_memory veltaro FILE PRESSES  Veltaro's window with FILE downloaded and shown, PRESSES
//                                      times
//   bench_memory playback FILE HOURS   Veltaro playing HOURS hours at 10 a second, FILE for each
//   bench_memory export FILE HOURS     a WebP export of HOURS hours, FILE for each, no window
// Each prints its peak resident memory in KiB; veltaro also prints, after it, the resident
// memory once the presses have settled (the memory kept for a next picture let go).
#include "barewindow.h"
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "network/transfer.h"
#include "retrieval/displaycommand.h"
#include "export/loopexport.h"
#include "window/formmain.h"
#include "window/player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>
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

    if (std::strcmp(argv[1], "export") == 0 && argc == 4) {
        // The frames differ by the moment written on each, as a real loop's do.
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        LoopServer server;
        server.setBody(file.readAll());
        qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
        qunsetenv("no_proxy");
        QTemporaryDir dir;
        veltaro::ExportRequest request;
        request.hours = veltaro::hoursEndingAt({2008, 7, 18, 10}, std::max(1, std::atoi(argv[3])), 1);
        request.path = dir.filePath(QStringLiteral("loop.webp"));
        veltaro::Transfer transfer;
        veltaro::LoopExport job(transfer, request);
        bool written = false;
        QObject::connect(&job, &veltaro::LoopExport::finished, &job,
                         [&](const veltaro::ExportResult &result) {
                             written = result.written;
                             QCoreApplication::quit();
                         });
        job.start();
        QCoreApplication::exec();
        if (!written)
            return 1;
        std::printf("%ld\n", peakResidentKiB());
        return 0;
    }
    if (std::strcmp(argv[1], "bare") == 0) {
        const auto window = makeBareWindow();
        showAndWaitForPaint(window.get());
        std::printf("%ld\n", peakResidentKiB());
        return 0;
    }
    // "playback-enhanced": the same with a colour table on. Both say how many frames were shown
    // in the time, and the longest wait between two of them.
    const bool enhanced = std::strcmp(argv[1], "playback-enhanced") == 0;
    const bool playback = enhanced || std::strcmp(argv[1], "playback") == 0;
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
    if (enhanced) {
        QSettings settings(dir.filePath(QStringLiteral("veltaro.conf")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("enhancement/choice"), QStringLiteral("rainbow"));
    }
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    int shown = 0;
    qint64 longestGapMs = 0;
    QElapsedTimer sinceShown;
    QObject::connect(&window.displayCommand(), &veltaro::DisplayCommand::finished, &window,
                     [&](const veltaro::DisplayCommand::Outcome &outcome) {
                         if (!outcome.shown)
                             return;
                         if (sinceShown.isValid() && shown > 1)
                             longestGapMs = std::max(longestGapMs, sinceShown.elapsed());
                         sinceShown.start();
                         ++shown;
                     });
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
    if (playback)
        std::fprintf(stderr, "%s: %d pictures shown, the longest between two %lld ms\n",
                     enhanced ? "with a colour table" : "as they are", shown - 1,
                     static_cast<long long>(longestGapMs));
    std::printf("%ld %ld\n", peak, residentKiB());
    return 0;
}
