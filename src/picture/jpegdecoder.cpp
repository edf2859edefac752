#include "picture/jpegdecoder.h"

#include "failure.h"
#include "said.h"

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

// Warnings that mean coded data is missing or damaged: libjpeg goes on and fills the rest of the
// picture with grey, which must never be shown as the picture. Stray bytes between segments
// (JWRN_EXTRANEOUS_DATA), which real encoders leave, and the rest stay accepted.
bool meansDataMissing(int code)
{
    return code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC || code == JWRN_JPEG_EOF ||
           code == JWRN_HUFF_BAD_CODE;
}

void onMessage(j_common_ptr info, int level)
{
    if (level < 0 && meansDataMissing(info->err->msg_code))
        onError(info);
}

// Decodes into rows of `stride` bytes; false with the failure set when libjpeg fails or the
// frame is not the three-component picture of `width` × `height` the caller made room for.
bool decode(Decoding *d, const unsigned char *data, unsigned long size, long memoryLimit,
            unsigned char *pixels, long stride, unsigned width, unsigned height, int components)
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
    if (d->info.num_components != components || d->info.image_width != width ||
        d->info.image_height != height) {
        d->failure = kNotAnnounced;
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    // QImage::Format_RGB32's bytes, little-endian; Format_Grayscale8's.
    d->info.out_color_space = components == 3 ? JCS_EXT_BGRX : JCS_GRAYSCALE;
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

// The reason for one of libjpeg's failures, in the program's words.
std::string failureText(int code)
{
    switch (code) {
    case kNotAnnounced:
        return said("jpegdecoder", "JPEG 数据有误：帧头前后不一");
    case JERR_NO_BACKING_STORE:
    case JERR_OUT_OF_MEMORY:
        return said("jpegdecoder", "JPEG 解码所需内存超过上限");
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_JPEG_EOF:
        return said("jpegdecoder", "图像不完整：JPEG 的编码数据缺了一段");
    case JWRN_HUFF_BAD_CODE:
        return said("jpegdecoder", "图像数据损坏：JPEG 的编码数据有误");
    case JERR_BAD_PRECISION:
        return said("jpegdecoder", "不支持这种精度的 JPEG");
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
        return said("jpegdecoder", "不支持这种编码方式的 JPEG");
    case JERR_NO_HUFF_TABLE:
    case JERR_NO_QUANT_TABLE:
    case JERR_BAD_HUFF_TABLE:
        return said("jpegdecoder", "JPEG 数据有误：缺少或损坏了编码表");
    default:
        return said("jpegdecoder", "JPEG 数据有误，无法解码");
    }
}

} // namespace

void decodeJpegInto(QByteArrayView jpeg, QImage &target, qint64 memoryLimit)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRX is RGB32 only on little-endian CPUs");
    Q_ASSERT(target.format() == QImage::Format_RGB32 ||
             target.format() == QImage::Format_Grayscale8);
    Decoding decoding{};
    if (!decode(&decoding, reinterpret_cast<const unsigned char *>(jpeg.data()),
                static_cast<unsigned long>(jpeg.size()), long(memoryLimit), target.bits(),
                long(target.bytesPerLine()), unsigned(target.width()), unsigned(target.height()),
                target.format() == QImage::Format_RGB32 ? 3 : 1))
        throw PictureFailure(failureText(decoding.failure));
}

} // namespace veltaro
