#include "platform/picturedecoder.h"

#include "failure.h"
#include "platform/jpegstructure.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace veltaro::picturedecoder {

QImage decode(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureFailure("无法读取 " + path.toStdString() + "：" +
                             file.errorString().toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw PictureFailure("无法读取 " + path.toStdString() + "：" +
                             file.errorString().toStdString());

    // Qt's JPEG reader fills a missing end with grey and reports success, so a JPEG must be
    // whole before it is decoded.
    const JpegStructure jpeg = scanJpegStructure(bytes);
    if (jpeg.isJpeg) {
        if (!jpeg.complete)
            throw PictureFailure("图像不完整：JPEG 没有结束标记");
        if (jpeg.scans > kMaxJpegScans)
            throw PictureFailure("JPEG 扫描数过多（" + std::to_string(jpeg.scans) + "）");
        // Every 8 × 8 block costs at least one bit of coded data: a header that declares far
        // more blocks than the data could hold describes a picture that is not there, and
        // decoding it would only spend time filling it with grey.
        const qint64 blocks = (qint64(jpeg.width) + 7) / 8 * ((qint64(jpeg.height) + 7) / 8);
        if (qint64(jpeg.entropyBytes) * 8 < blocks)
            throw PictureFailure("图像数据不足：" + std::to_string(jpeg.width) + "×" +
                                 std::to_string(jpeg.height) + " 的图像只有 " +
                                 std::to_string(jpeg.entropyBytes) + " 字节数据");
        bytes.truncate(jpeg.end);
    }

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        throw PictureFailure("无法解码图像：" + reader.errorString().toStdString());
    return picture;
}

} // namespace veltaro::picturedecoder
