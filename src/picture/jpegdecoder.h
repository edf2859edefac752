#pragma once

#include <QByteArrayView>
#include <QImage>

namespace veltaro {

// Decodes a JPEG with libjpeg-turbo straight into `target`, a picture of the frame's size:
// QImage::Format_RGB32 for three components, without the 24-bit step Qt's reader takes, or
// QImage::Format_Grayscale8 for one. The bytes must already have passed the structure checks.
// libjpeg's errors, its warnings that coded data is missing or damaged, and buffers of its own
// beyond `memoryLimit` bytes end in a PictureFailure.
void decodeJpegInto(QByteArrayView jpeg, QImage &target, qint64 memoryLimit);

} // namespace veltaro
