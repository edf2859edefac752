#include "picture/comparison.h"

#include "failure.h"
#include "said.h"
#include "picture/enhancement.h"
#include "picture/picturememory.h"

#include <QPainter>

#include <algorithm>

namespace veltaro::comparison {

namespace {

QImage asRgb(const QImage &picture)
{
    return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

void requireSameSize(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        throw PictureFailure(said("comparison", "两幅图像大小不同，无法比较"));
}

// The picture to draw into; without the memory for it, EncodeFailure.
QImage blank(int width, int height, QImage::Format format)
{
    QImage made = largePicture(width, height, format);
    if (made.isNull())
        throw EncodeFailure(said("comparison", "内存不足，无法比较两幅图像"));
    return made;
}

} // namespace

QImage fade(const QImage &a, const QImage &b, int percent)
{
    requireSameSize(a, b);
    const int p = std::clamp(percent, 0, 100);
    const QImage first = asRgb(a);
    const QImage second = asRgb(b);
    QImage made = blank(a.width(), a.height(), QImage::Format_RGB32);
    const auto mix = [p](int x, int y) { return (x * (100 - p) + y * p + 50) / 100; };
    for (int row = 0; row < made.height(); ++row) {
        const auto *from = reinterpret_cast<const QRgb *>(first.constScanLine(row));
        const auto *over = reinterpret_cast<const QRgb *>(second.constScanLine(row));
        auto *to = reinterpret_cast<QRgb *>(made.scanLine(row));
        for (int column = 0; column < made.width(); ++column)
            to[column] = qRgb(mix(qRed(from[column]), qRed(over[column])),
                              mix(qGreen(from[column]), qGreen(over[column])),
                              mix(qBlue(from[column]), qBlue(over[column])));
    }
    return made;
}

QImage swipe(const QImage &a, const QImage &b, int divider)
{
    requireSameSize(a, b);
    const int split = std::clamp(divider, 0, a.width());
    QImage made = blank(a.width(), a.height(), QImage::Format_RGB32);
    const QImage first = asRgb(a);
    const QImage second = asRgb(b);
    for (int row = 0; row < made.height(); ++row) {
        auto *to = reinterpret_cast<QRgb *>(made.scanLine(row));
        const auto *left = reinterpret_cast<const QRgb *>(first.constScanLine(row));
        const auto *right = reinterpret_cast<const QRgb *>(second.constScanLine(row));
        std::copy(left, left + split, to);
        std::copy(right + split, right + made.width(), to + split);
    }
    return made;
}

int differenceLevel(int delta)
{
    // Halved toward zero, so that a change and its opposite lie as far either side of 128.
    return std::clamp(128 + delta / 2, 0, 255);
}

std::array<QRgb, 256> differenceTable()
{
    std::array<QRgb, 256> table{};
    for (int level = 0; level < 256; ++level) {
        const int away = std::min(255, std::abs(level - 128) * 2); // 0 at no change
        const int fading = 255 - away * 3 / 4;
        table[size_t(level)] = level >= 128 ? qRgb(fading, fading, 255 - away / 4)  // B brighter: blue
                                            : qRgb(255 - away / 4, fading, fading); // B darker: red
    }
    return table;
}

QImage difference(const QImage &a, const QImage &b)
{
    requireSameSize(a, b);
    const QImage first = asRgb(a);
    const QImage second = asRgb(b);
    QImage made = blank(a.width(), a.height(), QImage::Format_Indexed8);
    const std::array<QRgb, 256> table = differenceTable();
    made.setColorTable(QList<QRgb>(table.begin(), table.end()));
    for (int row = 0; row < made.height(); ++row) {
        const auto *from = reinterpret_cast<const QRgb *>(first.constScanLine(row));
        const auto *to = reinterpret_cast<const QRgb *>(second.constScanLine(row));
        uchar *level = made.scanLine(row);
        for (int column = 0; column < made.width(); ++column)
            level[column] = uchar(differenceLevel(greyLevel(to[column]) - greyLevel(from[column])));
    }
    return made;
}

QImage sideBySide(const QImage &a, const QImage &b, Qt::Orientation orientation, int gap)
{
    requireSameSize(a, b);
    const bool across = orientation == Qt::Horizontal;
    QImage made = blank(across ? 2 * a.width() + gap : a.width(),
                               across ? a.height() : 2 * a.height() + gap, QImage::Format_RGB32);
    made.fill(Qt::black);
    QPainter painter(&made);
    painter.drawImage(0, 0, asRgb(a));
    painter.drawImage(across ? a.width() + gap : 0, across ? 0 : a.height() + gap, asRgb(b));
    return made;
}

} // namespace veltaro::comparison
