#include "rawdecode.h"

#include <cstdio>
#include <jpeglib.h>

bool decodeInto(const QByteArray &jpeg, QImage &picture)
{
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors{};
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&decoder);
    const bool fits = int(decoder.output_width) == picture.width() &&
                      int(decoder.output_height) == picture.height();
    while (fits && decoder.output_scanline < decoder.output_height) {
        JSAMPROW rows[16];
        unsigned count = 0;
        for (; count < 16 && decoder.output_scanline + count < decoder.output_height; ++count)
            rows[count] = picture.scanLine(int(decoder.output_scanline + count));
        jpeg_read_scanlines(&decoder, rows, count);
    }
    if (fits)
        jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return fits;
}
