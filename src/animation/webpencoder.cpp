#include "animation/webpencoder.h"

#include "failure.h"
#include "said.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace veltaro {

WebpEncoder::WebpEncoder(const AnimationOptions &options) : m_options(options) {}

WebpEncoder::~WebpEncoder()
{
    if (m_encoder)
        WebPAnimEncoderDelete(m_encoder);
}

void WebpEncoder::addFrame(const QImage &frame, int durationMs)
{
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    if (!m_encoder) {
        m_size = rgb.size();
        WebPAnimEncoderOptions animation;
        if (!WebPAnimEncoderOptionsInit(&animation))
            throw EncodeFailure(said("webpencoder", "WebP 编码器版本不符"));
        animation.anim_params.loop_count = 0; // for ever
        animation.allow_mixed = 0;
        m_encoder = WebPAnimEncoderNew(m_size.width(), m_size.height(), &animation);
        if (!m_encoder)
            throw EncodeFailure(said("webpencoder", "无法建立 WebP 动画编码器"));
    }
    if (rgb.size() != m_size)
        throw EncodeFailure(said("webpencoder", "动画的各帧大小不一"));
    WebPConfig config;
    if (!WebPConfigInit(&config))
        throw EncodeFailure(said("webpencoder", "WebP 编码器版本不符"));
    config.lossless = m_options.lossless ? 1 : 0;
    config.quality = m_options.lossless ? 75 : float(m_options.quality);
    config.method = 4;
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        throw EncodeFailure(said("webpencoder", "WebP 编码器版本不符"));
    picture.use_argb = 1;
    picture.width = rgb.width();
    picture.height = rgb.height();
    // Qt's RGB32 is B, G, R, X in memory on a little-endian machine, A, R, G, B on a big one.
    const bool imported =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian
            ? WebPPictureImportBGRX(&picture, rgb.constBits(), int(rgb.bytesPerLine()))
            : WebPPictureImportRGBX(&picture, rgb.convertToFormat(QImage::Format_RGBX8888).constBits(),
                                    int(rgb.bytesPerLine()));
    if (!imported) {
        WebPPictureFree(&picture);
        throw EncodeFailure(said("webpencoder", "内存不足，无法编码 WebP 帧"));
    }
    const int added = WebPAnimEncoderAdd(m_encoder, &picture, m_timestamp, &config);
    WebPPictureFree(&picture);
    if (!added)
        throw EncodeFailure(std::string(said("webpencoder", "WebP 编码失败：")) + WebPAnimEncoderGetError(m_encoder));
    m_timestamp += durationMs;
}

QByteArray WebpEncoder::finish()
{
    if (!m_encoder)
        throw EncodeFailure(said("webpencoder", "没有可以编码的帧"));
    // The last frame's end: the encoder flushes what it held back here, and may fail doing so.
    if (!WebPAnimEncoderAdd(m_encoder, nullptr, m_timestamp, nullptr))
        throw EncodeFailure(std::string(said("webpencoder", "WebP 编码失败：")) + WebPAnimEncoderGetError(m_encoder));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(m_encoder, &data))
        throw EncodeFailure(std::string(said("webpencoder", "WebP 编码失败：")) + WebPAnimEncoderGetError(m_encoder));
    // Count what the file holds: the encoder merges frames that repeat the one before.
    m_framesWritten = 1;
    if (WebPMux *mux = WebPMuxCreate(&data, 0)) {
        int frames = 0;
        if (WebPMuxNumChunks(mux, WEBP_CHUNK_ANMF, &frames) == WEBP_MUX_OK && frames > 0)
            m_framesWritten = frames;
        WebPMuxDelete(mux);
    }
    const QByteArray bytes(reinterpret_cast<const char *>(data.bytes), qsizetype(data.size));
    WebPDataClear(&data);
    return bytes;
}

} // namespace veltaro
