#pragma once

#include <QByteArray>
#include <QImage>

namespace veltaro::picturedecoder {

inline constexpr int kAllocationLimitMiB = 256;
// More scans than this make a JPEG cost seconds to decode for nothing.
inline constexpr int kMaxJpegScans = 100;
// An arithmetic-coded JPEG can describe a large picture in a few bytes, so its cost is bounded
// by its size instead: 8 × 8 blocks times scans, about a second's decoding.
inline constexpr qint64 kMaxArithmeticBlockPasses = 16'000'000;

// Decodes the picture at the start of the bytes; bytes after its end are ignored. JPEG, PNG,
// GIF and BMP are shown, each only when it is whole. Throws PictureFailure.
QImage decode(QByteArray bytes);

// Hands back a picture that is no longer shown, so that the next picture of its size can reuse
// its memory. Kept only when nothing else holds the picture.
void recycle(QImage picture);

} // namespace veltaro::picturedecoder
