#pragma once

#include <QImage>
#include <QString>

namespace veltaro::picturedecoder {

inline constexpr int kAllocationLimitMiB = 256;
// More scans than this make a JPEG cost seconds to decode for nothing.
inline constexpr int kMaxJpegScans = 100;

// Decodes the picture at the start of a file; bytes after its end are ignored. The format is
// found from the content (JPEG, and whatever else Qt's image plugins read). Throws
// PictureFailure.
QImage decode(const QString &path);

} // namespace veltaro::picturedecoder
