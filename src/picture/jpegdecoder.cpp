#include "picture/jpegdecoder.h"

#include "failure.h"

#include <csetjmp>
#include <jerror.h>
#include <jpeglib.h>

namespace veltaro {

namespace {

// libjpeg reports errors through its error manager, which must not return: it jumps back to
// decode(). That frame holds only plain C data, and the decoder's state lives in the caller's
// Decoding, so the jump skips no C++ object and no exception crosses libjpeg's C frames.
struct Decoding
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf back;
    int failure; // libjpeg's message code, or kNotAnnounced
};

constexpr int kNotAnnounced = -1;

void onError(j_common_ptr info)
{
    auto *decoding = static_cast<Decoding *>(info->client_data);
    decoding->failure = info->err->msg_code;
    std::longjmp(decoding->back, 1);
}

void onMessage(j_common_ptr, int)
{
    // Warnings (a damaged segment, stray bytes) are no failures: the structure checks have
    // already decided that the picture is whole.
}

// Decodes into rows of `stride` bytes; false with the failure set when libjpeg fails or the
// frame is not the three-component picture of `width` × `height` the caller made room for.
bool decode(Decoding *d, const unsigned char *data, unsigned long size, long memoryLimit,
            unsigned char *pixels, long stride, unsigned width, unsigned height)
{
    d->info.err = jpeg_std_error(&d->errors);
    d->errors.error_exit = onError;
    d->errors.emit_message = onMessage;
    if (setjmp(d->back)) {
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    // Set before the decompressor is created: an error while it is made (no memory, a library
    // of another version) reaches onError already, and creation keeps client_data.
    d->info.client_data = d;
    jpeg_create_decompress(&d->info);
    d->info.mem->max_memory_to_use = memoryLimit;
    jpeg_mem_src(&d->info, data, size);
    jpeg_read_header(&d->info, TRUE);
    if (d->info.num_components != 3 || d->info.image_width != width ||
        d->info.image_height != height) {
        d->failure = kNotAnnounced;
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    d->info.out_color_space = JCS_EXT_BGRX; // QImage::Format_RGB32's bytes, little-endian
    jpeg_start_decompress(&d->info);
    JSAMPROW rows[16];
    while (d->info.output_scanline < d->info.output_height) {
        unsigned count = 0;
        for (; count < 16 && d->info.output_scanline + count < d->info.output_height; ++count)
            rows[count] = pixels + stride * long(d->info.output_scanline + count);
        jpeg_read_scanlines(&d->info, rows, count);
    }
    jpeg_finish_decompress(&d->info);
    jpeg_destroy_decompress(&d->info);
    return true;
}

} // namespace

void decodeJpegInto(QByteArrayView jpeg, QImage &target, qint64 memoryLimit)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRX is RGB32 only on little-endian CPUs");
    Q_ASSERT(target.format() == QImage::Format_RGB32);
    Decoding decoding{};
    if (!decode(&decoding, reinterpret_cast<const unsigned char *>(jpeg.data()),
                static_cast<unsigned long>(jpeg.size()), long(memoryLimit), target.bits(),
                long(target.bytesPerLine()), unsigned(target.width()), unsigned(target.height())))
        throw PictureFailure(decoding.failure == kNotAnnounced ? "JPEG 数据有误：帧头前后不一"
                             : decoding.failure == JERR_NO_BACKING_STORE
                                 ? "JPEG 解码所需内存超过上限"
                                 : "JPEG 数据有误，无法解码（libjpeg 错误 " +
                                       std::to_string(decoding.failure) + "）");
}

} // namespace veltaro
