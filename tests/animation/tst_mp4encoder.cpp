// H.264 in MP4, read back with FFmpeg's libavformat and libavcodec: frames, size, duration,
// the index at the front, and the pictures themselves.

#include "animation/animationencoder.h"
#include "failure.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include <QTemporaryDir>
#include <QtTest>

using namespace veltaro;

namespace {

veltaro::AnimationOptions mp4Options()
{
    veltaro::AnimationOptions options;
    options.format = veltaro::AnimationFormat::Mp4;
    return options;
}

} // namespace

class TestMp4Encoder : public QObject
{
    Q_OBJECT

private slots:
    void readsBackAsWritten_data();
    void readsBackAsWritten();
    void nothingToWriteIsAFailure();
};

namespace {

struct ReadBack
{
    int packets = 0;
    QSize size;
    QString codec;
    QString pixelFormat;
    qint64 durationMs = 0;
    QImage first; // the first frame's luma, as grey
};

ReadBack readBack(const QString &path)
{
    ReadBack read;
    AVFormatContext *format = nullptr;
    if (avformat_open_input(&format, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return read;
    avformat_find_stream_info(format, nullptr);
    const AVStream *stream = format->streams[0];
    read.size = QSize(stream->codecpar->width, stream->codecpar->height);
    read.codec = QString::fromLatin1(avcodec_get_name(stream->codecpar->codec_id));
    read.pixelFormat = QString::fromLatin1(av_get_pix_fmt_name(AVPixelFormat(stream->codecpar->format)));
    read.durationMs = format->duration * 1000 / AV_TIME_BASE;
    const AVCodec *decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext *context = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(context, stream->codecpar);
    avcodec_open2(context, decoder, nullptr);
    AVPacket *packet = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    const auto takeFrames = [&] {
        while (avcodec_receive_frame(context, frame) == 0)
            if (read.first.isNull()) {
                read.first = QImage(frame->width, frame->height, QImage::Format_Grayscale8);
                for (int y = 0; y < frame->height; ++y)
                    memcpy(read.first.scanLine(y), frame->data[0] + y * frame->linesize[0], size_t(frame->width));
            }
    };
    while (av_read_frame(format, packet) >= 0) {
        ++read.packets;
        avcodec_send_packet(context, packet);
        takeFrames();
        av_packet_unref(packet);
    }
    avcodec_send_packet(context, nullptr);
    takeFrames();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return read;
}

} // namespace

void TestMp4Encoder::readsBackAsWritten_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("written"); // even sides
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("lastMs"); // the last frame's rest
    QTest::newRow("even sides") << QSize(160, 120) << QSize(160, 120) << 6 << 100;
    QTest::newRow("odd sides lose a row and a column") << QSize(161, 121) << QSize(160, 120) << 6 << 100;
    QTest::newRow("a rest on the last frame") << QSize(64, 48) << QSize(64, 48) << 4 << 1500;
}

void TestMp4Encoder::readsBackAsWritten()
{
    QFETCH(QSize, size);
    QFETCH(QSize, written);
    QFETCH(int, frames);
    QFETCH(int, lastMs);
    auto encoder = makeAnimationEncoder(mp4Options());
    for (int i = 0; i < frames; ++i) {
        // Grey levels that step from frame to frame: the first is 40 all over.
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(qRgb(40 + 30 * i, 40 + 30 * i, 40 + 30 * i));
        encoder->addFrame(frame, i == frames - 1 ? lastMs : 100);
    }
    const QByteArray bytes = encoder->finish();
    QCOMPARE(encoder->framesWritten(), frames);
    // The index (moov) before the pictures (mdat), so that it plays while it downloads.
    QVERIFY(bytes.indexOf("moov") >= 0 && bytes.indexOf("moov") < bytes.indexOf("mdat"));
    QTemporaryDir dir;
    const QString path = dir.filePath("loop.mp4");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const ReadBack read = readBack(path);
    QCOMPARE(read.codec, "h264");
    QCOMPARE(read.pixelFormat, "yuv420p");
    QCOMPARE(read.size, written);
    QCOMPARE(read.packets, frames);
    const qint64 expected = 100 * (frames - 1) + lastMs;
    QVERIFY2(std::abs(read.durationMs - expected) <= 40, qPrintable(QString::number(read.durationMs)));
    // The first picture as it was: flat grey 40, within the video's rounding (limited range).
    QVERIFY(!read.first.isNull());
    const int luma = read.first.pixelColor(written.width() / 2, written.height() / 2).red();
    const int expectedLuma = 16 + 40 * 219 / 255;
    QVERIFY2(std::abs(luma - expectedLuma) <= 3, qPrintable(QString::number(luma)));
}

void TestMp4Encoder::nothingToWriteIsAFailure()
{
    auto encoder = makeAnimationEncoder(mp4Options());
    QVERIFY_THROWS_EXCEPTION(EncodeFailure, encoder->finish());
}

QTEST_MAIN(TestMp4Encoder)
#include "tst_mp4encoder.moc"
