#include "animation/animationencoder.h"

#include "animation/gifencoder.h"
#include "animation/webpencoder.h"

namespace veltaro {

std::unique_ptr<AnimationEncoder> makeAnimationEncoder(const AnimationOptions &options)
{
    if (options.format == AnimationFormat::Gif)
        return std::make_unique<GifEncoder>();
    return std::make_unique<WebpEncoder>(options);
}

} // namespace veltaro
