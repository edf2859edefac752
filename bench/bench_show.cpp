// Show latency: from the press of "显示" to the picture and the empty status line painted,
// against the floor measured in the same process and run: the same bytes over a kept-alive
// loopback connection, libjpeg-turbo decoding straight into a reused 32-bit picture, and that
// picture painted once into a bare widget of the viewport's size. Then the program's stages one
// by one.
//   bench_show [PRESSES [SIZE,SIZE,...]]
#include "barewindow.h"
#include "benchsupport.h"
#include "cloudpicture.h"
#include "loopserver.h"
#include "widgets/picturebox.h"
#include "picture/picturedecoder.h"
#include "files/stagingfile.h"
#include "network/transfer.h"
#include "rawdecode.h"
#include "retrieval/displayview.h"
#include "window/formmain.h"
#include "widgets/viewport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Counts the paints each watched widget receives.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(std::initializer_list<QWidget *> widgets)
    {
        for (QWidget *widget : widgets) {
            widget->installEventFilter(this);
            m_painted[widget] = false;
        }
    }
    void reset()
    {
        for (auto &painted : m_painted)
            painted = false;
    }
    // Handles events until every watched widget has been painted.
    void waitForPaint()
    {
        while (std::any_of(m_painted.cbegin(), m_painted.cend(), [](bool p) { return !p; }))
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted[watched] = true;
        return false;
    }

private:
    QHash<QObject *, bool> m_painted;
};

// The floor's bare widget: paints a picture at its top-left corner, nothing else.
class BareView : public QWidget
{
public:
    const QImage *picture = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!picture)
            return;
        QPainter painter(this);
        painter.drawImage(event->rect(), *picture, event->rect());
    }
};

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    std::vector<int> sides{512, 1024, 2288, 4096};
    if (argc > 2) {
        sides.clear();
        for (const QByteArray &side : QByteArray(argv[2]).split(','))
            sides.push_back(side.toInt());
    }

    LoopServer server;
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    qunsetenv("no_proxy");
    QTemporaryDir dir;
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    window.Form_Load();
    window.showStarted();
    showAndWaitForPaint(&window);
    pickMoment(window);
    auto *status = qobject_cast<QLabel *>(window.control("Label5"));
    auto *viewport = qobject_cast<veltaro::PictureBox *>(window.control("Picture1"));
    auto *imageBox = qobject_cast<veltaro::PictureBox *>(window.control("Picture2"));
    PaintWatch watch{imageBox->innerArea(), status};
    PaintWatch imageWatch{imageBox->innerArea()};

    PlainClient client(server.port());
    BareView bare;
    bare.resize(viewport->size());
    showAndWaitForPaint(&bare);

    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-8s %9s %11s %11s %7s\n", "picture", "JPEG", "Veltaro", "floor", "ratio");
    struct Stages
    {
        int side;
        std::vector<double> transfer, staging, decoding, showing;
    };
    std::vector<Stages> stages;
    for (int side : sides) {
        // The archive's kind of picture: quality 85, 4:2:0.
        const QByteArray body = veltaro::sample::cloudJpeg(QStringLiteral("8071802"), {side, side});
        server.setBody(body);
        QImage floorPicture(side, side, QImage::Format_RGB32);

        std::vector<double> ours, floor;
        for (int i = -2; i < presses; ++i) { // two presses to warm up
            watch.reset();
            const double ms = timed([&] {
                window.Command1_Click();
                watch.waitForPaint();
                // The status line's "稍侯〉〉〉" is painted first, and the image box may be for
                // other reasons meanwhile: the press is done once both are painted with the
                // status line cleared.
                for (int round = 0; round < 1000 && status->text() == veltaro::statusWorking(); ++round) {
                    watch.reset();
                    watch.waitForPaint();
                }
            });
            if (!status->text().isEmpty()) {
                std::fprintf(stderr, "the press failed: %s\n", qPrintable(status->toolTip()));
                return 1;
            }
            const double floorMs = timed([&] {
                if (!decodeInto(client.get(), floorPicture))
                    std::exit(1);
                bare.picture = &floorPicture;
                bare.repaint();
            });
            if (i >= 0) {
                ours.push_back(ms);
                floor.push_back(floorMs);
            }
        }
        std::printf("%4d²     %6.0f kB %8.1f ms %8.1f ms %7.2f\n", side, body.size() / 1000.0,
                    median(ours), median(floor), median(ours) / median(floor));

        // The same work stage by stage.
        Stages each{side, {}, {}, {}, {}};
        const QString address = QStringLiteral(
            "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180200.jpg");
        veltaro::PictureDecoder decoder;
        for (int i = 0; i < presses; ++i) {
            QByteArray fetched;
            QImage picture;
            each.transfer.push_back(timed([&] { fetched = fetchAndWait(window.transfer(), address); }));
            each.staging.push_back(timed([&] { window.stagingFile().write(fetched); }));
            each.decoding.push_back(
                timed([&] { picture = decoder.decode(fetched); }));
            imageWatch.reset();
            each.showing.push_back(timed([&] {
                decoder.recycle(window.showPicture(std::move(picture), {}, {}));
                window.updateScrollRanges();
                imageWatch.waitForPaint();
            }));
        }
        stages.push_back(std::move(each));
    }
    std::printf("(medians of %d presses each)\n\n", presses);

    std::printf("%-8s %10s %10s %10s %10s\n", "stage", "transfer", "staging", "decoding",
                "showing");
    for (const Stages &each : stages)
        std::printf("%4d²    %7.2f ms %7.2f ms %7.2f ms %7.2f ms\n", each.side,
                    median(each.transfer), median(each.staging), median(each.decoding),
                    median(each.showing));
    return 0;
}
