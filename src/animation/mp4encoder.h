#pragma once

#include "animation/animationencoder.h"

#include <QTemporaryFile>

#include <memory>

namespace veltaro {

// H.264 video in an MP4 that browsers, office programs and phone messengers play: 4:2:0
// colour, even sizes (an odd side loses its last row or column), each frame shown for its own
// duration, the index at the front of the file. Through FFmpeg's libraries (libx264 at CRF 23);
// the file is made in a temporary file of its own and handed over whole by finish().
class Mp4Encoder : public AnimationEncoder
{
public:
    // The constant rate factor given to the H.264 encoder: lower is better and larger.
    static constexpr int kQuality = 23;

    Mp4Encoder();
    ~Mp4Encoder() override;
    Mp4Encoder(const Mp4Encoder &) = delete;
    Mp4Encoder &operator=(const Mp4Encoder &) = delete;

    void addFrame(const QImage &frame, int durationMs) override;
    QByteArray finish() override;
    int framesWritten() const override { return m_framesWritten; }

private:
    struct Codec;
    void open(QSize size);
    void encode();

    std::unique_ptr<Codec> m_codec;
    QTemporaryFile m_file;
    QSize m_size;
    qint64 m_timestamp = 0; // in milliseconds
    qint64 m_lastPts = -1;
    int m_lastDuration = 0;
    int m_framesWritten = 0;
};

} // namespace veltaro
