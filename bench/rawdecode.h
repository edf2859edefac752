#pragma once

#include <QByteArray>
#include <QImage>

// Decodes JPEG bytes with libjpeg-turbo's own API straight into `picture`, a reused 32-bit
// RGB picture of the right size (JCS_EXT_BGRX is QImage::Format_RGB32 here): the least work
// any viewer must spend on decoding. Returns false when the bytes are not a JPEG of that size.
bool decodeInto(const QByteArray &jpeg, QImage &picture);
