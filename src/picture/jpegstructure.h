#pragma once

#include <QByteArrayView>

namespace veltaro {

// What a walk over a JPEG's markers finds, without decoding anything.
struct JpegStructure
{
    bool isJpeg = false;     // starts with the start-of-image marker
    bool complete = false;   // the end-of-image marker was reached
    bool arithmetic = false; // the frame is arithmetic-coded rather than Huffman-coded
    int scans = 0;           // start-of-scan markers before the end (or before the data ran out)
    qsizetype end = 0;       // offset just past the end-of-image marker, when complete
    int width = 0;           // from the first frame header, 0 before one is seen
    int height = 0;
    int components = 0;
    int precision = 0;          // bits per sample
    qsizetype entropyBytes = 0; // the scans' coded data, all scans together
};

// Follows the segments and the entropy-coded data up to the end-of-image marker. Stray bytes
// between two segments are passed over to the next marker, as libjpeg does. Bytes after the
// end are not looked at.
JpegStructure scanJpegStructure(QByteArrayView bytes);

} // namespace veltaro
