#pragma once

// Pictures Qt's encoders do not make: arithmetic-coded and 4:4:4 JPEGs, made with
// libjpeg-turbo, and a small GIF.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

struct JpegCoding
{
    bool arithmetic = true;
    bool progressive = false;
    bool fullChroma = false; // 4:4:4 instead of 4:2:0
    int restartRows = 0;     // a restart marker after every this many rows of blocks
};

inline QByteArray libjpegEncoded(const QImage &picture, JpegCoding coding)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    info.arith_code = coding.arithmetic;
    if (coding.fullChroma)
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    if (coding.progressive)
        jpeg_simple_progression(&info);
    info.restart_in_rows = coding.restartRows;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar *>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

inline QByteArray arithmeticJpeg(const QImage &picture, bool progressive)
{
    return libjpegEncoded(picture, {.arithmetic = true, .progressive = progressive});
}

// The picture in one of Qt's own formats ("PNG", "BMP").
inline QByteArray encoded(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// A 1 × 1 GIF: header, screen descriptor with a two-colour table, a graphic control
// extension, one image and the trailer.
inline QByteArray smallGif()
{
    static const unsigned char bytes[] = {
        'G',  'I',  'F',  '8',  '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, // 1 × 1, global table of 2
        255,  255,  255,  0,    0,   0,                           // white, black
        0x21, 0xF9, 4,    0,    0,   0,   0, 0,                   // graphic control extension
        0x2C, 0,    0,    0,    0,   1,   0, 1, 0, 0,             // the image, no local table
        2,    2,    0x44, 0x01, 0,                                // clear, pixel 0, end; terminator
        0x3B};                                                    // the trailer
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

// A JPEG of one scan whose coded data stops early, with its end marker put back: where the
// scan's data is cut at `fraction`, or just after the `restart`-th restart marker when that is
// above 0. Every segment is whole, so only the decoder can tell that data is missing.
inline QByteArray withCodedDataCut(const QByteArray &jpeg, double fraction, int restart = 0)
{
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qsizetype data = scan + 2 + ((uchar(jpeg[scan + 2]) << 8) | uchar(jpeg[scan + 3]));
    qsizetype cut = data + qsizetype((jpeg.size() - 2 - data) * fraction);
    for (qsizetype at = data; restart > 0 && at + 1 < jpeg.size(); ++at) {
        if (uchar(jpeg[at]) == 0xFF && uchar(jpeg[at + 1]) >= 0xD0 && uchar(jpeg[at + 1]) <= 0xD7 &&
            --restart == 0)
            cut = at + 2;
    }
    return jpeg.left(cut) + "\xFF\xD9";
}

// A baseline JPEG whose frame header says 12 bits a sample.
inline QByteArray withPrecision(QByteArray jpeg, int bits)
{
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    jpeg[frame + 4] = char(bits);
    return jpeg;
}
