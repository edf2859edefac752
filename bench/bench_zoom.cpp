// A zoomed picture's repaint: a zoom step and a drag frame on a 2288² picture, each from the
// change to the viewport repainted on the screen, beside the floor: a bare widget of the
// viewport's size whose paint is one QPainter::drawImage of the same scaled region with the same
// smoothing, repainted alike. Qt's offscreen platform unless a display is chosen.
//
//   bench_zoom [ROUNDS]
#include "benchsupport.h"
#include "cloudpicture.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"
#include "widgets/viewport.h"
#include "window/formmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QWidget>

#include <functional>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

// The floor's widget: the picture's region, scaled, drawn once.
class BareZoom : public QWidget
{
public:
    BareZoom(const QImage &picture) : m_picture(picture) {}
    void showAt(double zoom)
    {
        m_zoom = zoom;
        repaint();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom != 1 && m_zoom < 2);
        // As much of the widget as the zoomed picture covers.
        const QRectF target = QRectF(QPointF(0, 0), QSizeF(size())) &
                              QRectF(QPointF(0, 0), QSizeF(m_picture.size()) * m_zoom);
        painter.drawImage(target, m_picture, QRectF(QPointF(0, 0), target.size() / m_zoom));
    }

private:
    QImage m_picture;
    double m_zoom = 1;
};

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QTemporaryDir dir;
    veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
    window.Form_Load();
    window.showStarted();
    QApplication::processEvents();
    const QImage picture = QImage::fromData(
        veltaro::sample::cloudJpeg(QStringLiteral("8071802"), {2288, 2288}))
                               .convertToFormat(QImage::Format_RGB32);
    window.showPicture(picture, {}, {});
    window.updateScrollRanges();
    auto *viewport = qobject_cast<veltaro::PictureBox *>(window.control("Picture1"));
    auto *imageBox = qobject_cast<veltaro::PictureBox *>(window.control("Picture2"));
    QWidget *inner = viewport->innerArea();
    auto *vScroll = qobject_cast<veltaro::ScrollBar *>(window.control("VScroll1"));
    BareZoom bareZoom(picture);
    bareZoom.setAttribute(Qt::WA_OpaquePaintEvent);
    bareZoom.resize(inner->size());
    bareZoom.show();
    QApplication::processEvents();

    std::printf("platform: %s, viewport %d × %d, picture 2288²\n",
                qPrintable(QGuiApplication::platformName()), inner->width(), inner->height());
    std::printf("%-22s %10s %10s %7s\n", "zoom", "Veltaro", "floor", "ratio");
    window.viewport()->fitToViewport();
    const double fit = imageBox->zoom();
    for (double zoom : {fit, 0.8, 1.25, 2.44, 8.0}) {
        std::vector<double> zoomStep, drag, bare;
        for (int round = -2; round < rounds; ++round) {
            // A zoom step: from the other side of the step to this zoom, repainted.
            window.viewport()->setZoom(zoom / veltaro::Viewport::kZoomStep, QPointF());
            inner->repaint();
            const double z = timed([&] {
                window.viewport()->setZoom(zoom, QPointF());
                inner->repaint();
            });
            // A drag frame: the picture moved by 20 pixels, repainted (nothing moves when the
            // whole picture is in sight).
            const int from = vScroll->value();
            const double d = timed([&] {
                vScroll->setValue(from == 0 ? int(veltaro::twips::fromPixels(20)) : 0);
                inner->repaint();
            });
            // The floor: the same part of the picture, scaled alike, drawn once.
            const double b = timed([&] { bareZoom.showAt(imageBox->zoom()); });
            if (round >= 0) {
                zoomStep.push_back(z);
                drag.push_back(d);
                bare.push_back(b);
            }
        }
        const QString name = zoom == fit ? QStringLiteral("fit (%1 %)").arg(qRound(fit * 100))
                                         : QStringLiteral("%1 %").arg(qRound(zoom * 100));
        std::printf("%-18s step %6.2f ms  drag %6.2f ms  floor %6.2f ms  ratios %.2f / %.2f\n",
                    qPrintable(name), median(zoomStep), median(drag), median(bare),
                    median(zoomStep) / median(bare), median(drag) / median(bare));
    }
    std::printf("(medians of %d rounds; target: under 16 ms, at most 1.5 x the floor)\n", rounds);
    return 0;
}
