#pragma once

#include <QByteArrayView>

#include <string>

namespace veltaro {

// The picture formats the program shows, found from the first bytes.
enum class PictureFormat { Jpeg, Png, Gif, Bmp, Unknown };

PictureFormat sniffPictureFormat(QByteArrayView bytes);

// Where a PNG, GIF or BMP picture's bytes end, found by following its structure without
// decoding anything: a picture is whole when its last part (PNG's IEND chunk, GIF's trailer,
// the pixel data a BMP header declares) is there. Bytes after the end are not looked at.
struct PictureExtent
{
    bool whole = false;
    qsizetype end = 0;   // just past the picture's last byte, when whole
    std::string problem; // what is missing or wrong, when not
};

PictureExtent pngExtent(QByteArrayView bytes);
PictureExtent gifExtent(QByteArrayView bytes);
PictureExtent bmpExtent(QByteArrayView bytes);

} // namespace veltaro
