#pragma once

// The animation folder turns frames into one file, a frame at a time: animated WebP with
// libwebp's animation encoder (webpencoder) and GIF with giflib (gifencoder). What the frames
// are (their order, size and the moment written on them) is the export folder's business.

#include <QByteArray>
#include <QImage>

#include <memory>

namespace veltaro {

enum class AnimationFormat { WebP, Gif };

struct AnimationOptions
{
    AnimationFormat format = AnimationFormat::WebP;
    bool lossless = false;
    int quality = 80; // lossy WebP, 0..100
};

// Frames in, one file's bytes out. Every frame has the size of the first. Throws EncodeFailure
// when the library refuses.
class AnimationEncoder
{
public:
    virtual ~AnimationEncoder() = default;
    virtual void addFrame(const QImage &frame, int durationMs) = 0;
    virtual QByteArray finish() = 0;
    // The frames the finished file holds: fewer than were added where the format merges a frame
    // that repeats the one before into it (WebP), one for a file that became a still picture.
    virtual int framesWritten() const = 0;
};

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(const AnimationOptions &options);

} // namespace veltaro
