// Frames between two pictures by optical flow, on pictures moved by a known amount.

#include "cloudpicture.h"
#include "failure.h"
#include "motion/inbetween.h"

#include <QtTest>

#include <cmath>

using namespace veltaro;

class TestInBetween : public QObject
{
    Q_OBJECT

private slots:
    void closeToTheTruthWhereCloudsDrift_data();
    void closeToTheTruthWhereCloudsDrift();
    void crossFadesWhereTheFlowsDisagree();
    void colourPicturesMakeColourFrames();
    void picturesOfAnotherSizeAreRefused();
};

namespace {

constexpr int kSide = 256;
constexpr int kMargin = 24; // the edges, where a moved picture has nothing to show, are left out

// A cloud field, `dx`, `dy` pixels further along (whole pixels: the truth is exact).
QImage moved(const QImage &field, int dx, int dy)
{
    QImage made(kSide, kSide, QImage::Format_Grayscale8);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int fromX = std::clamp(x - dx + kMargin, 0, field.width() - 1);
            const int fromY = std::clamp(y - dy + kMargin, 0, field.height() - 1);
            made.scanLine(y)[x] = uchar(qGray(field.pixel(fromX, fromY)));
        }
    return made;
}

// Peak signal-to-noise ratio of `made` against `truth` inside the margins, in dB.
double psnr(const QImage &made, const QImage &truth)
{
    double sum = 0;
    int count = 0;
    for (int y = kMargin; y < kSide - kMargin; ++y)
        for (int x = kMargin; x < kSide - kMargin; ++x) {
            const double d = double(made.constScanLine(y)[x]) - truth.constScanLine(y)[x];
            sum += d * d;
            ++count;
        }
    const double mse = sum / count;
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

QImage field()
{
    return sample::cloudPicture(QStringLiteral("8071802"), {kSide + 2 * kMargin, kSide + 2 * kMargin});
}

} // namespace

void TestInBetween::closeToTheTruthWhereCloudsDrift_data()
{
    QTest::addColumn<int>("dx"); // the move from the first picture to the second
    QTest::addColumn<int>("dy");
    QTest::newRow("8 pixels across, 4 down") << 8 << 4;
    QTest::newRow("12 pixels back, 6 up") << -12 << -6;
}

void TestInBetween::closeToTheTruthWhereCloudsDrift()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    const QImage clouds = field();
    const QImage first = moved(clouds, 0, 0);
    const QImage second = moved(clouds, dx, dy);
    const QImage truth = moved(clouds, dx / 2, dy / 2);
    const motion::FramePair pair(first, second);
    const QImage made = pair.frameAt(0.5);
    QCOMPARE(made.size(), first.size());
    const double flowed = psnr(made, truth);
    const double faded = psnr(motion::crossFade(first, second, 0.5), truth);
    // Far closer to the truth than a cross-fade, and the flows agree almost everywhere.
    QVERIFY2(flowed > faded + 6, qPrintable(QString("flow %1 dB, cross-fade %2 dB").arg(flowed).arg(faded)));
    QVERIFY2(pair.trustedShare() > 0.8, qPrintable(QString::number(pair.trustedShare())));
    // The ends are the pictures themselves.
    QVERIFY(psnr(pair.frameAt(0), first) > 40);
    QVERIFY(psnr(pair.frameAt(1), second) > 40);
}

void TestInBetween::crossFadesWhereTheFlowsDisagree()
{
    // The second picture has a block the first lacks (a cloud that grew from nothing): there
    // the flows cannot agree, and the frame is the cross-fade of the two.
    const QImage clouds = field();
    const QImage first = moved(clouds, 0, 0);
    QImage second = moved(clouds, 6, 0);
    const QRect grown(96, 96, 64, 64);
    for (int y = grown.top(); y <= grown.bottom(); ++y)
        for (int x = grown.left(); x <= grown.right(); ++x)
            second.scanLine(y)[x] = uchar(((x / 4 + y / 4) % 2) ? 250 : 10);
    const motion::FramePair pair(first, second);
    QVERIFY(pair.trustedShare() < 0.98);
    const QImage made = pair.frameAt(0.5);
    const QImage faded = motion::crossFade(first, second, 0.5);
    // Inside the block, mostly the cross-fade itself.
    int same = 0;
    const QRect inside = grown.adjusted(12, 12, -12, -12);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            same += std::abs(int(made.constScanLine(y)[x]) - int(faded.constScanLine(y)[x])) <= 1;
    QVERIFY2(same > inside.width() * inside.height() / 2,
             qPrintable(QString("%1 of %2").arg(same).arg(inside.width() * inside.height())));
}

void TestInBetween::colourPicturesMakeColourFrames()
{
    // Tinted as the sample archive's pictures are: blue apart from red and green.
    const auto tinted = [](const QImage &grey) {
        QImage made(grey.size(), QImage::Format_RGB32);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x) {
                const int g = grey.constScanLine(y)[x];
                made.setPixel(x, y, qRgb(g, g, 40 + g * 3 / 4));
            }
        return made;
    };
    const auto blueOf = [](const QImage &colour) {
        QImage blue(colour.size(), QImage::Format_Grayscale8);
        for (int y = 0; y < colour.height(); ++y)
            for (int x = 0; x < colour.width(); ++x)
                blue.scanLine(y)[x] = uchar(qBlue(colour.pixel(x, y)));
        return blue;
    };
    const QImage clouds = field();
    const QImage first = tinted(moved(clouds, 0, 0));
    const QImage second = tinted(moved(clouds, 8, 4));
    const QImage truth = tinted(moved(clouds, 4, 2));
    const motion::FramePair pair(first, second);
    const QImage made = pair.frameAt(0.5);
    QCOMPARE(made.format(), QImage::Format_RGB32);
    QCOMPARE(qAlpha(made.pixel(3, 3)), 255);
    // The colours carried along the flow, not only the grey: blue is as close as grey is.
    const double flowed = psnr(blueOf(made), blueOf(truth));
    QImage faded(first.size(), QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const QRgb a = first.pixel(x, y), b = second.pixel(x, y);
            faded.setPixel(x, y, qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2));
        }
    const double crossFaded = psnr(blueOf(faded), blueOf(truth));
    QVERIFY2(flowed > crossFaded + 6, qPrintable(QString("flow %1 dB, cross-fade %2 dB").arg(flowed).arg(crossFaded)));
}

void TestInBetween::picturesOfAnotherSizeAreRefused()
{
    const QImage a(32, 32, QImage::Format_Grayscale8);
    const QImage b(32, 33, QImage::Format_Grayscale8);
    QVERIFY_THROWS_EXCEPTION(PictureFailure, motion::FramePair(a, b));
    QVERIFY_THROWS_EXCEPTION(PictureFailure, motion::crossFade(a, b, 0.5));
}

QTEST_MAIN(TestInBetween)
#include "tst_inbetween.moc"
