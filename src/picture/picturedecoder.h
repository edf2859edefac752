#pragma once

// The picture folder turns downloaded bytes into a picture, or says why it cannot: the
// structure checks (jpegstructure, picturestructure) prove a picture whole before anything is
// decoded, libjpeg-turbo decodes the archive's JPEGs straight into the picture that is shown
// (jpegdecoder), and Qt's readers decode the other formats. PictureDecoder ties them together
// and owns the memory kept for the next picture.

#include <QByteArray>
#include <QImage>

namespace veltaro {

class PictureDecoder
{
public:
    static constexpr int kAllocationLimitMiB = 256;
    // More scans than this make a JPEG cost seconds to decode for nothing.
    static constexpr int kMaxJpegScans = 100;
    // An arithmetic-coded JPEG can describe a large picture in a few bytes, so its cost is
    // bounded by its size instead: 8 × 8 blocks times scans, about a second's decoding.
    static constexpr qint64 kMaxArithmeticBlockPasses = 16'000'000;

    // The largest picture any of Qt's image readers may allocate, for the whole process: call
    // once at start-up.
    static void limitQtReaders();

    // Decodes the picture at the start of the bytes; bytes after its end are ignored. JPEG, PNG
    // and BMP are shown, each only when it is whole. Throws PictureFailure.
    QImage decode(QByteArray bytes);

    // Takes back a picture that is no longer shown, so that the next picture of its size can
    // reuse its memory instead of faulting in tens of megabytes anew. Kept only when nothing
    // else holds the picture.
    void recycle(QImage picture);

    // Lets go of the memory kept for the next picture.
    void releaseSpare() { m_spare = QImage(); }

private:
    QImage pictureBuffer(int width, int height);

    QImage m_spare;
};

} // namespace veltaro
