#pragma once

#include <QByteArray>

#include <vector>

// Decodes JPEG bytes straight to RGB in memory with libjpeg-turbo's own API: the floor for what
// any viewer must spend on decoding. Returns the pixel bytes (width × height × 3).
std::vector<unsigned char> decodeToRgb(const QByteArray &jpeg, int *width, int *height);
