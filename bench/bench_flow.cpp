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

// Structural similarity of two grey pictures over 8 × 8 windows, from `top` down, averaged.
double ssim(const QImage &a, const QImage &b, int top)
{
    constexpr double c1 = 6.5025, c2 = 58.5225; // (0.01 × 255)², (0.03 × 255)²
    double total = 0;
    int windows = 0;
    for (int y = top; y + 8 <= a.height(); y += 8)
        for (int x = 0; x + 8 <= a.width(); x += 8) {
            double ma = 0, mb = 0;
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) {
                    ma += a.constScanLine(y + j)[x + i];
                    mb += b.constScanLine(y + j)[x + i];
                }
            ma /= 64;
            mb /= 64;
            double va = 0, vb = 0, cov = 0;
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) {
                    const double da = a.constScanLine(y + j)[x + i] - ma;
                    const double db = b.constScanLine(y + j)[x + i] - mb;
                    va += da * da;
                    vb += db * db;
                    cov += da * db;
                }
            va /= 63;
            vb /= 63;
            cov /= 63;
            total += ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    return windows ? total / windows : 0;
}

// PSNR from row `top` down, the whole width.
double psnrBelow(const QImage &made, const QImage &truth, int top)
{
    double sum = 0;
    long count = 0;
    for (int y = top; y < made.height(); ++y)
        for (int x = 0; x < made.width(); ++x) {
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
    // The sample archive's own hours: each other hour of a day left out and rebuilt from its
    // neighbours, below the time written in the corner.
    std::printf("the sample archive's 2008-07-18 at 1024 × 805, every other hour rebuilt (below its label)\n");
    const QSize archiveSize(1024, 805);
    const int below = 80;
    std::vector<double> flowP, fadeP, heldP, flowS, fadeS, heldS;
    for (int hour = 1; hour < 23; hour += 2) {
        const auto grey = [&](int h) {
            return sample::cloudPicture(QStringLiteral("80718%1").arg(h, 2, 10, QLatin1Char('0')), archiveSize)
                .convertToFormat(QImage::Format_Grayscale8);
        };
        const QImage before = grey(hour - 1), truth = grey(hour), after = grey(hour + 1);
        const motion::FramePair pair(before, after);
        const QImage flowed = pair.frameAt(0.5);
        const QImage faded = motion::crossFade(before, after, 0.5);
        flowP.push_back(psnrBelow(flowed, truth, below));
        fadeP.push_back(psnrBelow(faded, truth, below));
        heldP.push_back(psnrBelow(before, truth, below));
        flowS.push_back(ssim(flowed, truth, below));
        fadeS.push_back(ssim(faded, truth, below));
        heldS.push_back(ssim(before, truth, below));
    }
    std::printf("  PSNR medians: flow %.1f dB, cross-fade %.1f dB, previous frame %.1f dB\n", median(flowP),
                median(fadeP), median(heldP));
    std::printf("  SSIM medians: flow %.3f, cross-fade %.3f, previous frame %.3f\n", median(flowS), median(fadeS),
                median(heldS));
    return 0;
}
