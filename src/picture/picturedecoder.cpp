#include "picture/picturedecoder.h"

#include "failure.h"
#include "said.h"
#include "picture/jpegdecoder.h"
#include "picture/jpegstructure.h"
#include "picture/picturememory.h"
#include "picture/picturestructure.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

#include <algorithm>
#include <utility>

namespace veltaro {

namespace {

std::string sizeText(qint64 width, qint64 height)
{
    return std::to_string(width) + "×" + std::to_string(height);
}

// Refuses a picture whose pixels would not fit in the decoder's allocation limit.
void checkAllocation(qint64 width, qint64 height)
{
    constexpr qint64 kBytesPerPixel = 4;
    if (width * height * kBytesPerPixel > qint64(PictureDecoder::kAllocationLimitMiB) * 1024 * 1024)
        throw PictureFailure(said("picturedecoder", "图像过大：") + sizeText(width, height) + said("picturedecoder", " 像素超过解码上限 ") +
                             std::to_string(PictureDecoder::kAllocationLimitMiB) + " MiB");
}

// The JPEG's structure must promise a whole picture at a bounded cost.
JpegStructure checkJpeg(QByteArrayView bytes)
{
    const JpegStructure jpeg = scanJpegStructure(bytes);
    if (!jpeg.complete)
        throw PictureFailure(said("picturedecoder", "图像不完整：JPEG 没有结束标记"));
    if (jpeg.width == 0 || jpeg.height == 0)
        throw PictureFailure(said("picturedecoder", "JPEG 数据有误：没有图像尺寸"));
    if (jpeg.precision != 8)
        throw PictureFailure(said("picturedecoder", "不支持 ") + std::to_string(jpeg.precision) + said("picturedecoder", " 位精度的 JPEG"));
    if (jpeg.scans > PictureDecoder::kMaxJpegScans)
        throw PictureFailure(said("picturedecoder", "JPEG 扫描数过多（") + std::to_string(jpeg.scans) + said("picturedecoder", "）"));
    checkAllocation(jpeg.width, jpeg.height);
    const qint64 blocks = (qint64(jpeg.width) + 7) / 8 * ((qint64(jpeg.height) + 7) / 8);
    if (jpeg.arithmetic) {
        if (blocks * jpeg.scans > PictureDecoder::kMaxArithmeticBlockPasses)
            throw PictureFailure(said("picturedecoder", "JPEG 解码代价过高：") + sizeText(jpeg.width, jpeg.height) +
                                 said("picturedecoder", " 的图像有 ") + std::to_string(jpeg.scans) + said("picturedecoder", " 次扫描"));
    } else if (qint64(jpeg.entropyBytes) * 8 < blocks) {
        // Huffman coding spends at least one bit on every 8 × 8 block: a header that declares
        // far more blocks than the data could hold describes a picture that is not there.
        throw PictureFailure(said("picturedecoder", "图像数据不足：") + sizeText(jpeg.width, jpeg.height) + said("picturedecoder", " 的图像只有 ") +
                             std::to_string(jpeg.entropyBytes) + said("picturedecoder", " 字节数据"));
    }
    return jpeg;
}

// The formats shown besides JPEG: Qt's reader for each, and how its end is found.
struct OtherFormat
{
    PictureFormat format;
    const char *reader;
    PictureExtent (*extent)(QByteArrayView);
};
constexpr OtherFormat kOtherFormats[] = {
    {PictureFormat::Png, "png", pngExtent},
    {PictureFormat::Bmp, "bmp", bmpExtent},
};

std::string readerErrorText(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return said("picturedecoder", "不支持的图像格式");
    case QImageReader::InvalidDataError:
        return said("picturedecoder", "图像数据有误，无法解码");
    case QImageReader::DeviceError:
        return said("picturedecoder", "读取图像数据出错");
    default:
        return said("picturedecoder", "无法解码图像");
    }
}

} // namespace

void PictureDecoder::limitQtReaders()
{
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
}

void PictureDecoder::recycle(QImage picture)
{
    // Qt offers no way to take texts off a picture: one that carries any is not reused.
    if (picture.format() == QImage::Format_RGB32 && picture.isDetached() &&
        picture.textKeys().isEmpty())
        m_spare = std::move(picture);
}

QImage PictureDecoder::pictureBuffer(int width, int height)
{
    if (m_spare.width() == width && m_spare.height() == height && m_spare.isDetached()) {
        QImage reused = std::exchange(m_spare, QImage());
        // Only the memory is reused: whatever the last owner set on the picture (its device
        // pixel ratio on a high-DPI screen, resolution) does not belong to the next one.
        const QImage defaults(1, 1, QImage::Format_RGB32);
        reused.setDevicePixelRatio(1.0);
        reused.setDotsPerMeterX(defaults.dotsPerMeterX());
        reused.setDotsPerMeterY(defaults.dotsPerMeterY());
        reused.setOffset(QPoint());
        reused.setColorSpace(QColorSpace());
        return reused;
    }
    m_spare = QImage(); // a size that no longer comes back
    QImage fresh = largePicture(width, height, QImage::Format_RGB32);
    if (fresh.isNull())
        throw PictureFailure(said("picturedecoder", "内存不足，无法解码 ") + sizeText(width, height) + said("picturedecoder", " 的图像"));
    return fresh;
}

QImage PictureDecoder::decode(QByteArray bytes)
{
    if (bytes.isEmpty())
        throw PictureFailure(said("picturedecoder", "没有图像数据"));
    // Qt's readers fill a missing end with grey or black and report success, so every picture
    // must prove it is whole before it is decoded.
    const PictureFormat format = sniffPictureFormat(bytes);
    if (format == PictureFormat::Unknown) {
        QBuffer probe(&bytes);
        probe.open(QIODevice::ReadOnly);
        const QByteArray named = QImageReader::imageFormat(&probe);
        throw PictureFailure(said("picturedecoder", "不支持的图像格式：") + (named.isEmpty() ? std::string(said("picturedecoder", "无法识别的数据"))
                                                                     : named.toStdString()));
    }
    const char *reader = "jpeg";
    if (format == PictureFormat::Jpeg) {
        const JpegStructure jpeg = checkJpeg(bytes);
        bytes.truncate(jpeg.end);
        // Colour pictures, the archive's own, straight into the picture that is shown; grey
        // ones too. Others (CMYK) go through Qt's reader.
        if (jpeg.components == 3 || jpeg.components == 1) {
            QImage picture = jpeg.components == 3
                                 ? pictureBuffer(jpeg.width, jpeg.height)
                                 : QImage(jpeg.width, jpeg.height, QImage::Format_Grayscale8);
            if (picture.isNull())
                throw PictureFailure(said("picturedecoder", "内存不足，无法解码 ") + sizeText(jpeg.width, jpeg.height) +
                                     said("picturedecoder", " 的图像"));
            decodeJpegInto(bytes, picture, qint64(kAllocationLimitMiB) * 1024 * 1024);
            return picture;
        }
    } else {
        const OtherFormat &other = *std::find_if(
            std::begin(kOtherFormats), std::end(kOtherFormats),
            [format](const OtherFormat &candidate) { return candidate.format == format; });
        const PictureExtent extent = other.extent(bytes);
        if (!extent.whole)
            throw PictureFailure(extent.problem);
        bytes.truncate(extent.end);
        reader = other.reader;
    }

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader qtReader(&buffer, reader);
    if (const QSize declared = qtReader.size(); declared.isValid())
        checkAllocation(declared.width(), declared.height());
    QImage picture;
    if (!qtReader.read(&picture) || picture.isNull())
        throw PictureFailure(readerErrorText(qtReader));
    return picture;
}

} // namespace veltaro
