#pragma once

// An animated WebP read back frame by frame with libwebp's demuxer, for the tests and the
// benchmarks that check what an export wrote.

#include <QByteArray>
#include <QImage>
#include <QList>

#include <webp/demux.h>

struct WebpFrames
{
    QList<QImage> frames;
    QList<int> delaysMs;
    QSize size;
};

inline WebpFrames readWebpFrames(const QByteArray &bytes)
{
    WebpFrames read;
    WebPData data{reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;
    WebPAnimDecoder *decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return read;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    read.size = QSize(int(info.canvas_width), int(info.canvas_height));
    int before = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t *pixels = nullptr;
        int timestamp = 0;
        WebPAnimDecoderGetNext(decoder, &pixels, &timestamp);
        read.frames << QImage(pixels, read.size.width(), read.size.height(), QImage::Format_ARGB32).copy();
        read.delaysMs << timestamp - before;
        before = timestamp;
    }
    WebPAnimDecoderDelete(decoder);
    return read;
}
