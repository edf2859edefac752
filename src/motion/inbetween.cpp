#include "motion/inbetween.h"

#include "failure.h"
#include "said.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/video/tracking.hpp>

#include <algorithm>
#include <cmath>

namespace veltaro::motion {

namespace {

// The picture's grey levels as a matrix of its own.
cv::Mat greyOf(const QImage &picture)
{
    const QImage grey = picture.format() == QImage::Format_Grayscale8
                            ? picture
                            : picture.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        throw EncodeFailure(said("inbetween", "内存不足，无法计算插值帧"));
    cv::Mat wrapped(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                    size_t(grey.bytesPerLine()));
    return wrapped.clone();
}

// The picture's colours as a matrix of its own, four bytes a pixel as RGB32 holds them.
cv::Mat colourOf(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw EncodeFailure(said("inbetween", "内存不足，无法计算插值帧"));
    cv::Mat wrapped(rgb.height(), rgb.width(), CV_8UC4, const_cast<uchar *>(rgb.constBits()),
                    size_t(rgb.bytesPerLine()));
    return wrapped.clone();
}

QImage imageOf(const cv::Mat &made)
{
    const bool grey = made.channels() == 1;
    QImage image(made.cols, made.rows, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull())
        throw EncodeFailure(said("inbetween", "内存不足，无法计算插值帧"));
    const size_t rowBytes = size_t(made.cols) * size_t(made.channels());
    for (int row = 0; row < made.rows; ++row)
        std::copy_n(made.ptr<uchar>(row), rowBytes, image.scanLine(row));
    return image;
}

// The scale the flows are worked out at: pictures no larger than kFlowSide on their longer
// side. Clouds move by whole tens of pixels an hour, and the finest detail the flow would add
// costs four times the time for little.
double flowScale(const cv::Mat &picture)
{
    return std::min(1.0, double(FramePair::kFlowSide) / std::max(picture.cols, picture.rows));
}

cv::Mat scaledTo(const cv::Mat &picture, double scale)
{
    if (scale >= 1.0)
        return picture;
    cv::Mat small;
    cv::resize(picture, small, cv::Size(), scale, scale, cv::INTER_AREA);
    return small;
}

// A flow worked out at `scale`, spread back over a picture of `size`.
cv::Mat spread(const cv::Mat &flow, cv::Size size, double scale)
{
    if (scale >= 1.0)
        return flow;
    cv::Mat whole;
    cv::resize(flow, whole, size, 0, 0, cv::INTER_LINEAR);
    whole *= 1.0 / scale;
    return whole;
}

// Where the flows `forward` (first → second) and `backward` agree, and the second picture
// shows there what the first showed: 255, else 0. `least` is the disagreement always allowed,
// in the flows' pixels.
cv::Mat trustedWhere(const cv::Mat &first, const cv::Mat &second, const cv::Mat &forward,
                     const cv::Mat &backward, float least)
{
    // Forward, then back from where it landed: a trusted point returns to where it began.
    cv::Mat landed(forward.size(), CV_32FC2);
    for (int y = 0; y < landed.rows; ++y) {
        const auto *fw = forward.ptr<cv::Vec2f>(y);
        auto *l = landed.ptr<cv::Vec2f>(y);
        for (int x = 0; x < landed.cols; ++x)
            l[x] = cv::Vec2f(float(x) + fw[x][0], float(y) + fw[x][1]);
    }
    cv::Mat back;
    cv::remap(backward, back, landed, cv::noArray(), cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    // And where it landed, the second picture shows what the first showed.
    cv::Mat seen;
    cv::remap(second, seen, landed, cv::noArray(), cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    cv::Mat trusted(landed.size(), CV_8UC1);
    for (int y = 0; y < landed.rows; ++y) {
        const auto *fw = forward.ptr<cv::Vec2f>(y);
        const auto *bw = back.ptr<cv::Vec2f>(y);
        const uchar *before = first.ptr<uchar>(y);
        const uchar *after = seen.ptr<uchar>(y);
        auto *t = trusted.ptr<uchar>(y);
        for (int x = 0; x < landed.cols; ++x) {
            // Compared squared: no square root for each pixel.
            const float ex = fw[x][0] + bw[x][0];
            const float ey = fw[x][1] + bw[x][1];
            const float moved = fw[x][0] * fw[x][0] + fw[x][1] * fw[x][1];
            const float allowed = std::max(least * least, FramePair::kDisagreementShare *
                                                              FramePair::kDisagreementShare * moved);
            const bool alike = std::abs(int(before[x]) - int(after[x])) <= FramePair::kLargestMismatch;
            t[x] = ex * ex + ey * ey <= allowed && alike ? 255 : 0;
        }
    }
    return trusted;
}

// `picture` sampled at each pixel minus `share` of `flow` there.
cv::Mat carried(const cv::Mat &picture, const cv::Mat &flow, float share)
{
    cv::Mat map(flow.size(), CV_32FC2);
    for (int y = 0; y < flow.rows; ++y) {
        const auto *f = flow.ptr<cv::Vec2f>(y);
        auto *m = map.ptr<cv::Vec2f>(y);
        for (int x = 0; x < flow.cols; ++x)
            m[x] = cv::Vec2f(float(x) - share * f[x][0], float(y) - share * f[x][1]);
    }
    cv::Mat made;
    cv::remap(picture, made, map, cv::noArray(), cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    return made;
}

} // namespace

struct FramePair::Flows
{
    cv::Mat first, second;       // grey levels
    cv::Mat shownFirst, shownSecond; // what is carried: the grey levels, or the colours
    cv::Mat forward, backward;   // first → second, second → first
    cv::Mat trusted;             // 255 where the two agree
};

FramePair::FramePair(const QImage &first, const QImage &second) : m_flows(std::make_unique<Flows>())
{
    if (first.size() != second.size() || first.isNull())
        throw PictureFailure(said("inbetween", "两幅图像大小不同，无法计算插值帧"));
    try {
        Flows &f = *m_flows;
        f.first = greyOf(first);
        f.second = greyOf(second);
        // Grey pictures make grey frames; any other is carried in its colours.
        const bool grey = first.format() == QImage::Format_Grayscale8 && second.format() == QImage::Format_Grayscale8;
        f.shownFirst = grey ? f.first : colourOf(first);
        f.shownSecond = grey ? f.second : colourOf(second);
        // The flows both ways and their check, all at the flows' scale; then spread back.
        const double scale = flowScale(f.first);
        const cv::Mat smallFirst = scaledTo(f.first, scale);
        const cv::Mat smallSecond = scaledTo(f.second, scale);
        cv::Ptr<cv::DISOpticalFlow> dis = cv::DISOpticalFlow::create(cv::DISOpticalFlow::PRESET_FAST);
        cv::Mat smallForward, smallBackward;
        dis->calc(smallFirst, smallSecond, smallForward);
        dis->calc(smallSecond, smallFirst, smallBackward);
        const cv::Mat smallTrusted = trustedWhere(smallFirst, smallSecond, smallForward, smallBackward,
                                                  kLeastDisagreement * float(std::min(1.0, scale)));
        f.forward = spread(smallForward, f.first.size(), scale);
        f.backward = spread(smallBackward, f.first.size(), scale);
        if (scale >= 1.0) {
            f.trusted = smallTrusted;
        } else {
            cv::resize(smallTrusted, f.trusted, f.first.size(), 0, 0, cv::INTER_LINEAR);
            cv::threshold(f.trusted, f.trusted, 127, 255, cv::THRESH_BINARY);
        }
    } catch (const cv::Exception &failure) {
        // Out of memory inside OpenCV, or a size it refuses: said, never passed on as OpenCV's.
        throw EncodeFailure(std::string(said("inbetween", "无法计算插值帧：")) + failure.what());
    }
}

FramePair::~FramePair() = default;
FramePair::FramePair(FramePair &&) noexcept = default;
FramePair &FramePair::operator=(FramePair &&) noexcept = default;

QImage FramePair::frameAt(double t) const
{
    const Flows &f = *m_flows;
    const float time = float(std::clamp(t, 0.0, 1.0));
    try {
        // Each picture carried toward the time asked for, then the two blended by distance.
        const cv::Mat fromFirst = carried(f.shownFirst, f.forward, time);
        const cv::Mat fromSecond = carried(f.shownSecond, f.backward, 1.0f - time);
        const int channels = f.shownFirst.channels();
        cv::Mat made(f.first.size(), f.shownFirst.type());
        for (int y = 0; y < made.rows; ++y) {
            const uchar *a = fromFirst.ptr<uchar>(y);
            const uchar *b = fromSecond.ptr<uchar>(y);
            const uchar *plainA = f.shownFirst.ptr<uchar>(y);
            const uchar *plainB = f.shownSecond.ptr<uchar>(y);
            const uchar *trusted = f.trusted.ptr<uchar>(y);
            uchar *out = made.ptr<uchar>(y);
            for (int x = 0; x < made.cols; ++x) {
                const bool warp = trusted[x] != 0;
                for (int c = 0; c < channels; ++c) {
                    const int at = x * channels + c;
                    const float first = warp ? a[at] : plainA[at];
                    const float second = warp ? b[at] : plainB[at];
                    out[at] = uchar(std::lround((1.0f - time) * first + time * second));
                }
            }
        }
        QImage image = imageOf(made);
        if (channels == 4) {
            // Opaque, as RGB32 wants its unused byte.
            for (int y = 0; y < image.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] |= 0xff000000u;
            }
        }
        return image;
    } catch (const cv::Exception &failure) {
        throw EncodeFailure(std::string(said("inbetween", "无法计算插值帧：")) + failure.what());
    }
}

double FramePair::trustedShare() const
{
    return cv::countNonZero(m_flows->trusted) / double(m_flows->trusted.total());
}

QImage crossFade(const QImage &first, const QImage &second, double t)
{
    if (first.size() != second.size())
        throw PictureFailure(said("inbetween", "两幅图像大小不同，无法计算插值帧"));
    const QImage a = first.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = second.convertToFormat(QImage::Format_Grayscale8);
    QImage made(a.size(), QImage::Format_Grayscale8);
    if (made.isNull() || a.isNull() || b.isNull())
        throw EncodeFailure(said("inbetween", "内存不足，无法计算插值帧"));
    const double time = std::clamp(t, 0.0, 1.0);
    for (int y = 0; y < made.height(); ++y) {
        const uchar *pa = a.constScanLine(y);
        const uchar *pb = b.constScanLine(y);
        uchar *out = made.scanLine(y);
        for (int x = 0; x < made.width(); ++x)
            out[x] = uchar(std::lround((1.0 - time) * pa[x] + time * pb[x]));
    }
    return made;
}

} // namespace veltaro::motion
