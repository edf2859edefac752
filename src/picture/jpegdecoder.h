#pragma once

#include <QByteArrayView>
#include <QImage>

namespace veltaro {

// Decodes a JPEG of three components with libjpeg-turbo straight into `target`, a
// QImage::Format_RGB32 picture of the frame's size, without the 24-bit step Qt's reader takes.
// The bytes must already have passed the structure checks. libjpeg's errors, and buffers of its
// own beyond `memoryLimit` bytes, end in a PictureFailure; its warnings are ignored.
void decodeJpegInto(QByteArrayView jpeg, QImage &target, qint64 memoryLimit);

} // namespace veltaro
