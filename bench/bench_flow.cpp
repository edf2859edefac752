// Frames between the hours by optical flow: the time for one pair (both flows and the check)
// at 2288² and at 1400 × 1100 on one core, and the quality of a rebuilt middle frame on a cloud
// field moved by a known amount, beside a cross-fade and the previous frame repeated. Prints
// medians; timing never fails anything.
#include "benchsupport.h"
#include "cloudpicture.h"
#include "motion/inbetween.h"

#include <QGuiApplication>

#include <opencv2/core.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace veltaro;

namespace {

// The field `d` pixels further across and `d / 2` down, cut to `size`.
QImage moved(const QImage &field, QSize size, int d)
{
    QImage made(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            made.scanLine(y)[x] = uchar(qGray(field.pixel(std::clamp(x - d + 64, 0, field.width() - 1),
                                                          std::clamp(y - d / 2 + 64, 0, field.height() - 1))));
    return made;
}

double psnr(const QImage &made, const QImage &truth)
{
    const int margin = 48;
    double sum = 0;
    long count = 0;
    for (int y = margin; y < made.height() - margin; ++y)
        for (int x = margin; x < made.width() - margin; ++x) {
            const double d = double(made.constScanLine(y)[x]) - truth.constScanLine(y)[x];
            sum += d * d;
            ++count;
        }
    return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * count / sum);
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    cv::setNumThreads(1);
    std::printf("one pair's flows both ways and their check, on one core, medians of %d\n", rounds);
    for (const QSize size : {QSize(2288, 2288), QSize(1400, 1100)}) {
        const QImage field = sample::cloudPicture(QStringLiteral("8071802"), size + QSize(128, 128));
        const QImage first = moved(field, size, 0);
        const QImage second = moved(field, size, 14);
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round)
            times.push_back(timed([&] { motion::FramePair pair(first, second); }));
        std::printf("  %4d × %-4d  %8.1f ms (targets: 250 ms at 2288², 80 ms at 1400 × 1100)\n",
                    size.width(), size.height(), median(times));
    }
    std::printf("a middle frame rebuilt at 1024², PSNR against the truth\n");
    const QSize size(1024, 1024);
    const QImage field = sample::cloudPicture(QStringLiteral("8071802"), size + QSize(128, 128));
    for (const int step : {8, 22}) {
        const QImage first = moved(field, size, 0);
        const QImage truth = moved(field, size, step / 2);
        const QImage second = moved(field, size, step);
        const motion::FramePair pair(first, second);
        std::printf("  %2d px a step: flow %5.1f dB, cross-fade %5.1f dB, previous frame %5.1f dB; flows agree on %.1f %%\n",
                    step, psnr(pair.frameAt(0.5), truth), psnr(motion::crossFade(first, second, 0.5), truth),
                    psnr(first, truth), 100 * pair.trustedShare());
    }
    return 0;
}
