#include "picture/picturestructure.h"

#include "said.h"

#include <cstdint>
#include <cstring>

namespace veltaro {

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kPngSignatureSize = 8;

quint32 bigEndian32(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) {
        return quint32(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

quint32 littleEndian(QByteArrayView bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

PictureExtent cut(std::string problem)
{
    return {false, 0, std::move(problem)};
}

} // namespace

PictureFormat sniffPictureFormat(QByteArrayView bytes)
{
    const auto startsWith = [&](const char *prefix, qsizetype size) {
        return bytes.size() >= size && std::memcmp(bytes.data(), prefix, size_t(size)) == 0;
    };
    if (startsWith("\xFF\xD8", 2))
        return PictureFormat::Jpeg;
    if (startsWith(kPngSignature, kPngSignatureSize))
        return PictureFormat::Png;
    if (startsWith("BM", 2))
        return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

PictureExtent pngExtent(QByteArrayView bytes)
{
    // Chunks: a 4-byte length, a 4-byte type, the data and a 4-byte check, up to IEND.
    qsizetype pos = kPngSignatureSize;
    while (pos + 8 <= bytes.size()) {
        const qint64 length = bigEndian32(bytes, pos);
        const QByteArrayView type = bytes.sliced(pos + 4, 4);
        const qint64 next = pos + 12 + length;
        if (next > bytes.size())
            break;
        if (type == QByteArrayView("IEND"))
            return {true, qsizetype(next), {}};
        pos = qsizetype(next);
    }
    return cut(said("picturestructure", "图像不完整：PNG 没有结束块（IEND）"));
}

PictureExtent bmpExtent(QByteArrayView bytes)
{
    constexpr qsizetype kFileHeader = 14;
    if (bytes.size() < kFileHeader + 12)
        return cut(said("picturestructure", "图像不完整：BMP 头部不全"));
    const qint64 dataOffset = littleEndian(bytes, 10, 4);
    const quint32 headerSize = littleEndian(bytes, 14, 4);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bitCount = 0;
    quint32 compression = 0;
    quint32 imageSize = 0;
    if (headerSize == 12) { // the oldest header: 16-bit sizes
        width = littleEndian(bytes, 18, 2);
        height = littleEndian(bytes, 20, 2);
        bitCount = littleEndian(bytes, 24, 2);
    } else if (headerSize >= 40 && bytes.size() >= kFileHeader + 40) {
        width = std::int32_t(littleEndian(bytes, 18, 4));
        height = std::int32_t(littleEndian(bytes, 22, 4));
        bitCount = littleEndian(bytes, 28, 2);
        compression = littleEndian(bytes, 30, 4);
        imageSize = littleEndian(bytes, 34, 4);
    } else {
        return cut(said("picturestructure", "图像不完整：BMP 头部不全"));
    }
    if (height < 0)
        height = -height;                      // rows stored top-down
    constexpr qint64 kLargestSide = 1'000'000; // far beyond what the decoder may allocate
    if (width <= 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
        bitCount == 0 || bitCount > 32)
        return cut(said("picturestructure", "BMP 数据有误：尺寸或色深不对"));

    constexpr quint32 kRunLength8 = 1, kRunLength4 = 2, kJpegInside = 4, kPngInside = 5;
    qint64 pixelBytes = 0;
    if (compression == kRunLength8 || compression == kRunLength4 || compression == kJpegInside ||
        compression == kPngInside)
        pixelBytes = imageSize; // compressed: the header gives the size
    else
        pixelBytes = (width * bitCount + 31) / 32 * 4 * height; // rows padded to 4 bytes
    const qint64 end = dataOffset + pixelBytes;
    if (pixelBytes <= 0 || end > bytes.size())
        return cut(said("picturestructure", "图像不完整：BMP 像素数据不足（应有 ") + std::to_string(end) + said("picturestructure", " 字节，只有 ") +
                   std::to_string(bytes.size()) + said("picturestructure", " 字节）"));
    return {true, qsizetype(end), {}};
}

} // namespace veltaro
