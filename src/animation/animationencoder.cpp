#include "animation/animationencoder.h"

#include "animation/gifencoder.h"
#include "animation/mp4encoder.h"
#include "animation/webpencoder.h"

namespace veltaro {

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(const AnimationOptions &options)
{
    switch (options.format) {
    case AnimationFormat::Gif:
        return std::make_unique<GifEncoder>(options.colours);
    case AnimationFormat::Mp4:
        return std::make_unique<Mp4Encoder>();
    case AnimationFormat::WebP:
        break;
    }
    return std::make_unique<WebpEncoder>(options);
}

std::optional<AnimationFormat> animationFormatNamed(const QString &name)
{
    for (const AnimationFormatName &format : kAnimationFormats)
        if (name == QLatin1String(format.name))
            return format.format;
    return std::nullopt;
}

} // namespace veltaro
