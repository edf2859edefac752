// Peak resident memory, one process per figure:
//   bench_memory sample FILE    writes the 2288 × 2288 sample JPEG to FILE
//   bench_memory bare           the bare window, shown
//   bench_memory veltaro FILE   Veltaro's window with FILE downloaded and shown
// Each prints its peak resident memory in KiB.
#include "barewindow.h"
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "platform/processsettings.h"
#include "window/formmain.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    if (std::strcmp(argv[1], "sample") == 0 && argc == 3) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        const QByteArray bytes = veltaro::sample::cloudJpeg("8071802", {2288, 2288}, false, 95);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }

    if (std::strcmp(argv[1], "bare") == 0) {
        const auto window = makeBareWindow();
        showAndWaitForPaint(window.get());
        std::printf("%ld\n", peakResidentKiB());
        return 0;
    }
    if (std::strcmp(argv[1], "veltaro") != 0 || argc != 3)
        return 2;

    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    LoopServer server;
    server.setBody(file.readAll());
    file.close();
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    qunsetenv("no_proxy");
    veltaro::applyProcessSettings();

    QTemporaryDir dir;
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    window.Form_Load();
    showAndWaitForPaint(&window);
    pickMoment(window);
    window.Command1_Click();
    if (!qobject_cast<QLabel *>(window.control("Label5"))->text().isEmpty())
        return 1;
    window.repaint();
    QCoreApplication::processEvents();
    std::printf("%ld\n", peakResidentKiB());
    return 0;
}
