#include "animation/mp4encoder.h"

#include "failure.h"
#include "said.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <QDir>

#include <string>

namespace veltaro {

namespace {

std::string ffmpegError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void check(int code, const std::string &what)
{
    if (code < 0)
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法写入（") + what + said("mp4encoder", "）：") + ffmpegError(code));
}

} // namespace

struct Mp4Encoder::Codec
{
    AVFormatContext *format = nullptr;
    AVCodecContext *context = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scale = nullptr;
    bool headerWritten = false;

    ~Codec()
    {
        sws_freeContext(scale);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&context);
        if (format) {
            if (format->pb)
                avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

Mp4Encoder::Mp4Encoder() : m_file(QDir::tempPath() + QStringLiteral("/veltaro-XXXXXX.mp4")) {}

Mp4Encoder::~Mp4Encoder() = default;

void Mp4Encoder::open(QSize size)
{
    // H.264 in 4:2:0 wants even sides.
    m_size = QSize(size.width() & ~1, size.height() & ~1);
    if (m_size.width() < 2 || m_size.height() < 2)
        throw EncodeFailure(said("mp4encoder", "MP4 视频的画面至少要 2 × 2 像素"));
    if (!m_file.open())
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法写入：临时文件无法建立：") + m_file.errorString().toStdString());
    // Only failures are worth a line on the terminal; the encoder's statistics are not.
    av_log_set_level(AV_LOG_ERROR);
    m_codec = std::make_unique<Codec>();
    Codec &c = *m_codec;
    const QByteArray path = QFile::encodeName(m_file.fileName());
    check(avformat_alloc_output_context2(&c.format, nullptr, "mp4", path.constData()), said("mp4encoder", "格式"));
    const AVCodec *h264 = avcodec_find_encoder_by_name("libx264");
    if (!h264)
        h264 = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!h264)
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法写入：没有 H.264 编码器"));
    c.stream = avformat_new_stream(c.format, nullptr);
    c.context = avcodec_alloc_context3(h264);
    c.frame = av_frame_alloc();
    c.packet = av_packet_alloc();
    if (!c.stream || !c.context || !c.frame || !c.packet)
        throw EncodeFailure(said("mp4encoder", "内存不足，MP4 视频无法写入"));
    c.context->width = m_size.width();
    c.context->height = m_size.height();
    c.context->pix_fmt = AV_PIX_FMT_YUV420P;
    // Every frame for its own time: milliseconds.
    c.context->time_base = AVRational{1, 1000};
    c.context->framerate = AVRational{0, 1};
    if (c.format->oformat->flags & AVFMT_GLOBALHEADER)
        c.context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(c.context->priv_data, "crf", std::to_string(kQuality).c_str(), 0);
    av_opt_set(c.context->priv_data, "profile", "high", 0);
    check(avcodec_open2(c.context, h264, nullptr), said("mp4encoder", "编码器"));
    check(avcodec_parameters_from_context(c.stream->codecpar, c.context), said("mp4encoder", "参数"));
    c.stream->time_base = c.context->time_base;
    check(avio_open(&c.format->pb, path.constData(), AVIO_FLAG_WRITE), said("mp4encoder", "文件"));
    AVDictionary *options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0); // the index at the front
    const int written = avformat_write_header(c.format, &options);
    av_dict_free(&options);
    check(written, said("mp4encoder", "文件头"));
    c.headerWritten = true;
    c.frame->format = AV_PIX_FMT_YUV420P;
    c.frame->width = m_size.width();
    c.frame->height = m_size.height();
    check(av_frame_get_buffer(c.frame, 0), said("mp4encoder", "画面"));
    c.scale = sws_getContext(m_size.width(), m_size.height(), AV_PIX_FMT_BGRA, m_size.width(), m_size.height(),
                             AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!c.scale)
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法写入：颜色无法转换"));
}

void Mp4Encoder::addFrame(const QImage &frame, int durationMs)
{
    if (!m_codec)
        open(frame.size());
    if (frame.size() != m_size && QSize(frame.width() & ~1, frame.height() & ~1) != m_size)
        throw EncodeFailure(said("mp4encoder", "MP4 视频的画面大小不一致"));
    Codec &c = *m_codec;
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32); // BGRA in memory
    if (rgb.isNull())
        throw EncodeFailure(said("mp4encoder", "内存不足，MP4 视频无法写入"));
    check(av_frame_make_writable(c.frame), said("mp4encoder", "画面"));
    const uint8_t *source[] = {rgb.constBits()};
    const int strides[] = {int(rgb.bytesPerLine())};
    sws_scale(c.scale, source, strides, 0, m_size.height(), c.frame->data, c.frame->linesize);
    c.frame->pts = m_timestamp;
    m_lastPts = m_timestamp;
    m_lastDuration = std::max(1, durationMs);
    m_timestamp += m_lastDuration;
    check(avcodec_send_frame(c.context, c.frame), said("mp4encoder", "编码"));
    ++m_framesWritten;
    encode();
}

void Mp4Encoder::encode()
{
    Codec &c = *m_codec;
    for (;;) {
        const int received = avcodec_receive_packet(c.context, c.packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        check(received, said("mp4encoder", "编码"));
        // Each frame lasts until the next begins; the last keeps its own duration.
        if (c.packet->pts == m_lastPts)
            c.packet->duration = m_lastDuration;
        av_packet_rescale_ts(c.packet, c.context->time_base, c.stream->time_base);
        c.packet->stream_index = c.stream->index;
        check(av_interleaved_write_frame(c.format, c.packet), said("mp4encoder", "写入"));
    }
}

QByteArray Mp4Encoder::finish()
{
    if (!m_codec)
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法写入：没有画面"));
    Codec &c = *m_codec;
    check(avcodec_send_frame(c.context, nullptr), said("mp4encoder", "编码"));
    encode();
    check(av_write_trailer(c.format), said("mp4encoder", "文件尾"));
    avio_closep(&c.format->pb);
    m_file.seek(0);
    QFile written(m_file.fileName());
    if (!written.open(QIODevice::ReadOnly))
        throw EncodeFailure(said("mp4encoder", "MP4 视频无法读回：") + written.errorString().toStdString());
    const QByteArray bytes = written.readAll();
    m_codec.reset();
    return bytes;
}

} // namespace veltaro
