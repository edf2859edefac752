#pragma once

#include <QByteArrayView>

namespace veltaro {

// What a walk over a JPEG's markers finds, without decoding anything.
struct JpegStructure
{
    bool isJpeg = false;   // starts with the start-of-image marker
    bool complete = false; // the end-of-image marker was reached
    int scans = 0;         // start-of-scan markers before the end (or before the data ran out)
    qsizetype end = 0;     // offset just past the end-of-image marker, when complete
};

// Follows the segments and the entropy-coded data up to the end-of-image marker. Bytes after
// it are not looked at.
JpegStructure scanJpegStructure(QByteArrayView bytes);

} // namespace veltaro
