#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace veltaro::sample {

// Larger than a 1024 × 768 screen's viewport in both directions.
inline constexpr QSize kPictureSize{1400, 1100};

// "8071802" → "2008-07-18 02:00 UTC"; any other name is returned as it is.
QString utcLabel(const QString &name);

// A synthetic cloud picture for an image name: the same name always gives the same picture,
// with the UTC time it stands for written in its corner. The pictures of neighbouring hours are
// related as real ones are: one cloud field carried by a wind that changes across the picture
// and slowly over the days, with cells that grow and decay over a few hours.
QImage cloudPicture(const QString &name, QSize size = kPictureSize);

// The picture as JPEG bytes, baseline or progressive.
QByteArray cloudJpeg(const QString &name, QSize size = kPictureSize, bool progressive = false,
                     int quality = 85);

// A grey picture whose pixels alternate black and white, as a nearly lossless JPEG: any pixel
// shown twice or blended with its neighbour shows at once.
QByteArray checkerboardJpeg(QSize size);

} // namespace veltaro::sample
