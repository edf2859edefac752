#include "rawdecode.h"

#include <cstdio>
#include <jpeglib.h>

std::vector<unsigned char> decodeToRgb(const QByteArray &jpeg, int *width, int *height)
{
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors{};
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder);
    *width = static_cast<int>(decoder.output_width);
    *height = static_cast<int>(decoder.output_height);
    const size_t stride = decoder.output_width * 3;
    std::vector<unsigned char> pixels(stride * decoder.output_height);
    while (decoder.output_scanline < decoder.output_height) {
        unsigned char *row = pixels.data() + stride * decoder.output_scanline;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return pixels;
}
