#pragma once

// The animation folder turns frames into one file, a frame at a time: animated WebP with
// libwebp's animation encoder (webpencoder), GIF with giflib (gifencoder) and H.264 video in MP4
// with FFmpeg's libraries (mp4encoder). What the frames
// are (their order, size and the moment written on them) is the export folder's business.

#include <QByteArray>
#include <QImage>

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace veltaro {

enum class AnimationFormat { WebP, Gif, Mp4 };

// Each format's name on the command line and as a file's suffix, and its name in the dialog.
struct AnimationFormatName
{
    AnimationFormat format;
    const char *name;
    const char *label; // said in the context "AnimationFormat"
};
inline constexpr AnimationFormatName kAnimationFormats[] = {
    {AnimationFormat::WebP, "webp", QT_TRANSLATE_NOOP("AnimationFormat", "WebP 动画")},
    {AnimationFormat::Gif, "gif", QT_TRANSLATE_NOOP("AnimationFormat", "GIF 动画")},
    {AnimationFormat::Mp4, "mp4", QT_TRANSLATE_NOOP("AnimationFormat", "MP4 视频（H.264）")},
};
// The format of that name ("webp", "gif", "mp4"); nothing for another.
std::optional<AnimationFormat> animationFormatNamed(const QString &name);

struct AnimationOptions
{
    AnimationFormat format = AnimationFormat::WebP;
    bool lossless = false;
    int quality = 80; // lossy WebP, 0..100
    // The colours the frames are made of, when they are known to be few (a colour table's):
    // a GIF takes them as its palette instead of fitting one.
    std::vector<QRgb> colours;
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
