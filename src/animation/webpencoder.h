#pragma once

#include "animation/animationencoder.h"

struct WebPAnimEncoder;

namespace veltaro {

// Animated WebP through libwebp's animation encoder, lossy at a quality or lossless; loops for
// ever.
class WebpEncoder : public AnimationEncoder
{
public:
    explicit WebpEncoder(const AnimationOptions &options);
    ~WebpEncoder() override;
    WebpEncoder(const WebpEncoder &) = delete;
    WebpEncoder &operator=(const WebpEncoder &) = delete;

    void addFrame(const QImage &frame, int durationMs) override;
    QByteArray finish() override;
    int framesWritten() const override { return m_framesWritten; }

private:
    AnimationOptions m_options;
    WebPAnimEncoder *m_encoder = nullptr;
    QSize m_size;
    int m_framesWritten = 0;
    int m_timestamp = 0;
};

} // namespace veltaro
