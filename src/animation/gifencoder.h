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
    // `colours`: those the frames are made of, when known (see AnimationOptions).
    explicit GifEncoder(std::vector<QRgb> colours = {});
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
    std::vector<QRgb> m_colours;
};

// The palette and the index of every pixel of `frame` (RGB32): the grey levels for a grey frame;
// `colours` (those the frame is made of, when known: a colour table's), with black and white for
// the moment written where there is room, each pixel its own colour's or the nearest; the
// frame's own colours where they are 256 or fewer; else a palette fitted to the frame.
struct Indexed
{
    std::vector<QRgb> palette;
    std::vector<unsigned char> indices;
};
Indexed indexFrame(const QImage &frame, const std::vector<QRgb> &colours = {});

} // namespace veltaro
