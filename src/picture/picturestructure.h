#pragma once

#include <QByteArrayView>

#include <string>

namespace veltaro {

// The picture formats the program shows, found from the first bytes.
// GIF is not among them: the archive serves JPEG, and nothing short of decoding proves that a
// GIF's image data covers its frame (Qt's reader fills what is missing with black).
enum class PictureFormat { Jpeg, Png, Bmp, Unknown };

PictureFormat sniffPictureFormat(QByteArrayView bytes);

// Where a PNG or BMP picture's bytes end, found by following its structure without
// decoding anything: a picture is whole when its last part (PNG's IEND chunk,
// the pixel data a BMP header declares) is there. Bytes after the end are not looked at.
struct PictureExtent
{
    bool whole = false;
    qsizetype end = 0;   // just past the picture's last byte, when whole
    std::string problem; // what is missing or wrong, when not
};

PictureExtent pngExtent(QByteArrayView bytes);
PictureExtent bmpExtent(QByteArrayView bytes);

} // namespace veltaro
