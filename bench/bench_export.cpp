// Exporting 24 frames (2288², the sample archive's kind, kept) at 1024 to WebP, GIF and MP4, beside
// the Debian tools a user would otherwise reach for on the same scaled frames: img2webp (webp
// package), ffmpeg's two-pass palette GIF and ffmpeg's libx264 at CRF 23. Time, size and a quality figure (PSNR against the
// scaled frames) side by side. Timing never fails anything; a tool that is missing is said.
#include "animation/animationencoder.h"
#include "export/loopframes.h"
#include "benchsupport.h"
#include "cloudpicture.h"
#include "picture/picturedecoder.h"
#include "webpframes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>


#include <cmath>
#include <cstdio>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kFrames = 24;
constexpr int kDelayMs = 250;

double psnr(const std::vector<QImage> &reference, const std::vector<QImage> &decoded)
{
    if (decoded.size() != reference.size())
        return 0;
    double squared = 0;
    double count = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        const QImage a = reference[i].convertToFormat(QImage::Format_RGB32);
        const QImage b = decoded[i].convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                    squared += double(d) * d;
                count += 3;
            }
    }
    return squared == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / (squared / count));
}

std::vector<QImage> readWebp(const QByteArray &bytes)
{
    const QList<QImage> frames = readWebpFrames(bytes).frames;
    return {frames.begin(), frames.end()};
}

std::vector<QImage> readGif(const QString &path)
{
    std::vector<QImage> frames;
    QImageReader reader(path, "gif");
    for (QImage frame; reader.read(&frame);)
        frames.push_back(frame);
    return frames;
}

// Every frame of an MP4, decoded with FFmpeg's libraries, as RGB.
std::vector<QImage> readMp4(const QString &path)
{
    std::vector<QImage> frames;
    AVFormatContext *format = nullptr;
    if (avformat_open_input(&format, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return frames;
    avformat_find_stream_info(format, nullptr);
    const AVCodec *codec = avcodec_find_decoder(format->streams[0]->codecpar->codec_id);
    AVCodecContext *context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, format->streams[0]->codecpar);
    avcodec_open2(context, codec, nullptr);
    AVPacket *packet = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    const auto take = [&] {
        while (avcodec_receive_frame(context, frame) == 0) {
            QImage rgb(frame->width, frame->height, QImage::Format_RGB32);
            SwsContext *scale = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                               frame->width, frame->height, AV_PIX_FMT_BGRA, SWS_BICUBIC,
                                               nullptr, nullptr, nullptr);
            uint8_t *target[] = {rgb.bits()};
            const int strides[] = {int(rgb.bytesPerLine())};
            sws_scale(scale, frame->data, frame->linesize, 0, frame->height, target, strides);
            sws_freeContext(scale);
            frames.push_back(rgb);
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        avcodec_send_packet(context, packet);
        take();
        av_packet_unref(packet);
    }
    avcodec_send_packet(context, nullptr);
    take();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return frames;
}

double runTool(const QString &program, const QStringList &arguments)
{
    QElapsedTimer clock;
    clock.start();
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(600000) || tool.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), tool.readAllStandardError().constData());
        return -1;
    }
    return clock.nsecsElapsed() / 1e6;
}

void row(const char *what, double ms, qint64 bytes, double quality)
{
    std::printf("%-34s %9.0f ms %9.0f kB %8.2f dB\n", what, ms, bytes / 1000.0, quality);
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    // The kept pictures, as JPEG bytes, and the frames every encoder gets: scaled to 1024.
    std::vector<QByteArray> kept;
    for (int hour = 0; hour < kFrames; ++hour)
        kept.push_back(veltaro::sample::cloudJpeg(QStringLiteral("80718%1").arg(hour, 2, 10, QLatin1Char('0')), {2288, 2288}));
    veltaro::FramePlan plan;
    plan.longestSide = 1024;
    plan.picturesPerSecond = 1000 / kDelayMs;
    plan.label = false;
    std::vector<QImage> scaled;
    veltaro::PictureDecoder decoder;
    for (int i = 0; i < kFrames; ++i) {
        scaled.push_back(veltaro::scaledFrame(decoder.decode(kept[size_t(i)]), plan));
        scaled.back().save(dir.filePath(QStringLiteral("frame%1.png").arg(i, 2, 10, QLatin1Char('0'))));
    }
    std::printf("%d frames of 2288², kept, exported at 1024 × 1024, %d ms each\n", kFrames, kDelayMs);
    std::printf("%-34s %12s %12s %11s\n", "", "time", "size", "PSNR");

    for (const veltaro::AnimationFormat format :
         {veltaro::AnimationFormat::WebP, veltaro::AnimationFormat::Gif, veltaro::AnimationFormat::Mp4}) {
        // Veltaro's own: from the kept bytes, decoded, scaled and encoded, as an export does.
        QElapsedTimer clock;
        clock.start();
        veltaro::AnimationOptions options;
        options.format = format;
        const auto encoder = veltaro::makeAnimationEncoder(options);
        veltaro::PictureDecoder frames;
        for (const auto &frame : veltaro::frameOrder(kFrames, plan))
            encoder->addFrame(veltaro::scaledFrame(frames.decode(kept[size_t(frame.picture)]), plan), frame.durationMs);
        const QByteArray bytes = encoder->finish();
        const double ms = clock.nsecsElapsed() / 1e6;
        const bool webp = format == veltaro::AnimationFormat::WebP;
        const bool mp4 = format == veltaro::AnimationFormat::Mp4;
        QFile out(dir.filePath(webp ? "veltaro.webp" : mp4 ? "veltaro.mp4" : "veltaro.gif"));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.close();
        row(webp ? "Veltaro, WebP lossy q80" : mp4 ? "Veltaro, MP4 H.264 CRF 23" : "Veltaro, GIF", ms,
            bytes.size(),
            psnr(scaled, webp ? readWebp(bytes) : mp4 ? readMp4(out.fileName()) : readGif(out.fileName())));
    }

    QStringList frameFiles;
    for (int i = 0; i < kFrames; ++i)
        frameFiles << dir.filePath(QStringLiteral("frame%1.png").arg(i, 2, 10, QLatin1Char('0')));
    if (const QString img2webp = QStandardPaths::findExecutable("img2webp"); !img2webp.isEmpty()) {
        const QString path = dir.filePath("img2webp.webp");
        const double ms = runTool(img2webp, QStringList{"-loop", "0", "-lossy", "-q", "80", "-d",
                                                         QString::number(kDelayMs)} + frameFiles +
                                                QStringList{"-o", path});
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        row("img2webp -lossy -q 80 (PNG frames)", ms, file.size(), psnr(scaled, readWebp(file.readAll())));
    } else {
        std::printf("img2webp is missing (Debian's webp package)\n");
    }
    if (const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg"); !ffmpeg.isEmpty()) {
        const QString input = dir.filePath("frame%02d.png");
        const QString palette = dir.filePath("palette.png");
        const QString path = dir.filePath("ffmpeg.gif");
        const QString rate = QString::number(1000 / kDelayMs);
        const double first = runTool(ffmpeg, {"-v", "error", "-y", "-framerate", rate, "-i", input,
                                              "-vf", "palettegen", palette});
        const double second = runTool(ffmpeg, {"-v", "error", "-y", "-framerate", rate, "-i", input,
                                               "-i", palette, "-lavfi", "paletteuse", path});
        row("ffmpeg palettegen + paletteuse", first + second, QFileInfo(path).size(), psnr(scaled, readGif(path)));
        const QString video = dir.filePath("ffmpeg.mp4");
        const double encoded = runTool(ffmpeg, {"-v", "error", "-y", "-framerate", rate, "-i", input, "-c:v",
                                                "libx264", "-crf", "23", "-pix_fmt", "yuv420p", "-movflags",
                                                "+faststart", video});
        row("ffmpeg -c:v libx264 -crf 23", encoded, QFileInfo(video).size(), psnr(scaled, readMp4(video)));
    } else {
        std::printf("ffmpeg is missing (Debian's ffmpeg package)\n");
    }
    return 0;
}
