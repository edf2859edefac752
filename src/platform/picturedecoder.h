#pragma once

#include <QImage>
#include <QString>

namespace veltaro {

// Decodes the picture at the start of a file; bytes after its end are ignored. The format is
// found from the content (JPEG, and whatever else Qt's image plugins read).
class PictureDecoder
{
public:
    static constexpr int kAllocationLimitMiB = 256;
    // More scans than this make a JPEG cost seconds to decode for nothing.
    static constexpr int kMaxJpegScans = 100;

    // Throws PictureFailure.
    static QImage decode(const QString &path);
};

} // namespace veltaro
