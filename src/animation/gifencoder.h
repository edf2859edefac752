#pragma once

#include "animation/animationencoder.h"

#include <vector>

struct GifFileType;

namespace veltaro {

// Animated GIF through giflib, looping for ever. Each frame takes the palette that serves it: a
// grey frame the 256 greys, one of at most 256 colours (an enhanced frame: its table's) exactly
// those, anything else its 256 most used colours with light dithering.
class GifEncoder : public AnimationEncoder
{
public:
    GifEncoder();
    ~GifEncoder() override;
    GifEncoder(const GifEncoder &) = delete;
    GifEncoder &operator=(const GifEncoder &) = delete;

    void addFrame(const QImage &frame, int durationMs) override;
    QByteArray finish() override;
    int framesWritten() const override { return m_framesWritten; }

private:
    QByteArray m_bytes;
    GifFileType *m_gif = nullptr;
    QSize m_size;
    int m_framesWritten = 0;
};

// The palette and the index of every pixel of `frame` (RGB32).
struct Indexed
{
    std::vector<QRgb> palette;
    std::vector<unsigned char> indices;
};
Indexed indexFrame(const QImage &frame);

} // namespace veltaro
