#include "cloudpicture.h"
#include "picture/jpegstructure.h"
#include "picture/picturedecoder.h"
#include "failure.h"
#include "samplearchive.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTest>

#include <zlib.h>

#include "encodedpictures.h"

using namespace veltaro;

namespace {

constexpr QSize kSize{320, 240};

QByteArray baseline()
{
    static const QByteArray bytes = sample::cloudJpeg(QStringLiteral("8071802"), kSize, false);
    return bytes;
}

QByteArray progressive()
{
    static const QByteArray bytes = sample::cloudJpeg(QStringLiteral("8071802"), kSize, true);
    return bytes;
}

QByteArray png()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(40, 30, QImage::Format_RGB32).save(&buffer, "PNG");
    return bytes;
}

// A small PNG whose header claims another size (its checksum mended, so only the size is off).
QByteArray pngWithDeclaredSize(quint32 width, quint32 height)
{
    QByteArray bytes = png();
    const qsizetype header = bytes.indexOf("IHDR");
    for (int i = 0; i < 4; ++i) {
        bytes[header + 4 + i] = static_cast<char>(width >> (24 - 8 * i));
        bytes[header + 8 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(bytes.constData() + header), 17);
    for (int i = 0; i < 4; ++i)
        bytes[header + 17 + i] = static_cast<char>(crc >> (24 - 8 * i));
    return bytes;
}

// A uniform picture: the least coded data a real JPEG of its size can have.
QByteArray uniform(QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.save(&buffer, "JPEG", 50);
    return bytes;
}

// The archive's kind of picture with a restart marker after every row of blocks.
QByteArray restarts()
{
    return libjpegEncoded(QImage::fromData(baseline()), {.arithmetic = false, .restartRows = 1});
}

QByteArray manyScans(int count)
{
    return sample::withRepeatedScan(progressive(), count);
}

// Three stray bytes after the first segment (APP0), which libjpeg passes over with a warning.
QByteArray withStrayBytes(QByteArray jpeg)
{
    const qsizetype afterApp0 = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    return jpeg.insert(afterApp0, "\x12\x34\x56", 3);
}

// A dark picture with faint clouds, as arithmetic coding packs it: far below a bit per block.
QByteArray arithmeticDark()
{
    QImage dark(1400, 1100, QImage::Format_RGB32);
    dark.fill(QColor(3, 3, 6));
    for (int y = 0; y < dark.height(); y += 97)
        for (int x = 0; x < dark.width(); x += 89)
            dark.setPixel(x, y, qRgb(40, 40, 48));
    return arithmeticJpeg(dark, false);
}

// A picture of the largest allowed size in a few hundred bytes, its scans repeated until
// decoding it would cost seconds.
QByteArray arithmeticBomb()
{
    QImage flat(8000, 8000, QImage::Format_RGB32);
    flat.fill(Qt::black);
    return sample::withRepeatedScan(arithmeticJpeg(flat, true), 30);
}

QByteArray bmp()
{
    return encoded(QImage(37, 21, QImage::Format_RGB32), "BMP");
}

} // namespace

class TestPictureDecoder : public QObject
{
    Q_OBJECT

private slots:
    void structure_data();
    void structure();
    void decodes_data();
    void decodes();
    void refuses_data();
    void refuses();
    void sameAsQtsReader_data();
    void sameAsQtsReader();
    void reusesTheLastPicturesMemory();
};

void TestPictureDecoder::structure_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isJpeg");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("severalScans");
    QTest::addColumn<qsizetype>("end");

    const qsizetype whole = baseline().size();
    // clang-format off
    QTest::newRow("baseline") << baseline() << true << true << false << whole;
    QTest::newRow("progressive") << progressive() << true << true << true << progressive().size();
    QTest::newRow("trailing bytes") << baseline() + QByteArray(100, 'x') << true << true << false << whole;
    QTest::newRow("baseline without its end marker") << baseline().chopped(2) << true << false << false << qsizetype(0);
    QTest::newRow("baseline cut at 50%") << baseline().left(whole / 2) << true << false << false << qsizetype(0);
    QTest::newRow("progressive cut at 50%") << progressive().left(progressive().size() / 2) << true << false << true << qsizetype(0);
    QTest::newRow("cut inside the header") << baseline().left(100) << true << false << false << qsizetype(0);
    QTest::newRow("only the start marker") << QByteArray("\xFF\xD8") << true << false << false << qsizetype(0);
    QTest::newRow("png") << png() << false << false << false << qsizetype(0);
    QTest::newRow("empty") << QByteArray() << false << false << false << qsizetype(0);
    // clang-format on
}

void TestPictureDecoder::structure()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isJpeg);
    QFETCH(bool, complete);
    QFETCH(bool, severalScans);

    const JpegStructure found = scanJpegStructure(bytes);
    QCOMPARE(found.isJpeg, isJpeg);
    QCOMPARE(found.complete, complete);
    QFETCH(qsizetype, end);
    QCOMPARE(found.scans > 1, severalScans);
    QCOMPARE(found.end, end);
}

void TestPictureDecoder::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    QTest::newRow("baseline jpeg") << baseline() << kSize;
    QTest::newRow("progressive jpeg") << progressive() << kSize;
    QTest::newRow("bytes after the end are ignored") << baseline() + QByteArray(4096, 'x') << kSize;
    QTest::newRow("another jpeg after the end") << baseline() + progressive() << kSize;
    QTest::newRow("png") << png() << QSize(40, 30);
    QTest::newRow("uniform 2048 × 2048") << uniform({2048, 2048}) << QSize(2048, 2048);
    QTest::newRow("50 scans is still fine") << manyScans(50) << kSize;
    QTest::newRow("stray bytes between two segments") << withStrayBytes(baseline()) << kSize;
    QTest::newRow("arithmetic-coded dark picture") << arithmeticDark() << QSize(1400, 1100);
    QTest::newRow("arithmetic-coded progressive")
        << arithmeticJpeg(QImage(300, 200, QImage::Format_RGB32), true) << QSize(300, 200);
    QTest::newRow("png with bytes after its end") << png() + "trailing" << QSize(40, 30);
    QTest::newRow("bmp") << bmp() << QSize(37, 21);
}

void TestPictureDecoder::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const QImage picture = PictureDecoder().decode(bytes);
    QCOMPARE(picture.size(), size);
}

void TestPictureDecoder::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QByteArray() << "没有图像数据";
    QTest::newRow("a text page") << QByteArray("<html><body>not here</body></html>") << "不支持的图像格式：无法识别的数据";
    QTest::newRow("a format that cannot show it is whole") << QByteArray("P6\n2 2\n255\n0123456789AB") << "不支持的图像格式：ppm";
    QTest::newRow("baseline cut at 10%") << baseline().left(baseline().size() / 10) << "图像不完整";
    QTest::newRow("baseline cut at 50%") << baseline().left(baseline().size() / 2) << "图像不完整";
    QTest::newRow("baseline without its end marker") << baseline().chopped(2) << "图像不完整";
    // clang-format off
    QTest::newRow("coded data stopping at half, end marker put back") << withCodedDataCut(baseline(), 0.5) << "图像不完整：JPEG 的编码数据缺了一段";
    QTest::newRow("cut after a restart marker, end marker put back") << withCodedDataCut(restarts(), 1, 3) << "图像不完整：JPEG 的编码数据缺了一段";
    QTest::newRow("12 bits a sample") << withPrecision(baseline(), 12) << "不支持 12 位精度的 JPEG";
    // clang-format on
    QTest::newRow("progressive cut at 10%")
        << progressive().left(progressive().size() / 10) << "图像不完整";
    QTest::newRow("progressive cut at 50%")
        << progressive().left(progressive().size() / 2) << "图像不完整";
    QTest::newRow("enormous declared size")
        << sample::withDeclaredSize(baseline(), 60000, 60000) << "60000×60000 像素超过解码上限 256 MiB";
    // Allowed sizes, but far more blocks than the data holds: seconds of grey fill.
    QTest::newRow("8000 × 8000 from a small baseline file")
        << sample::withDeclaredSize(baseline(), 8000, 8000) << "图像数据不足";
    QTest::newRow("8000 × 8000 from a small progressive file")
        << sample::withDeclaredSize(progressive(), 8000, 8000) << "图像数据不足";
    QTest::newRow("png over the allocation limit") << pngWithDeclaredSize(60000, 60000) << "超过解码上限 256 MiB";
    QTest::newRow("png cut before its end") << png().chopped(12) << "PNG 没有结束块";
    // Its data cannot be proved to cover its frame without decoding it: never shown.
    QTest::newRow("gif, whole") << smallGif() << "不支持的图像格式：gif";
    QTest::newRow("bmp cut at half its pixels") << bmp().left(bmp().size() / 2) << "BMP 像素数据不足";
    QTest::newRow("arithmetic-coded bomb") << arithmeticBomb() << "JPEG 解码代价过高";
    QTest::newRow("101 scans") << manyScans(101) << "扫描数过多";
    QTest::newRow("thousands of scans") << manyScans(5000) << "扫描数过多";
}

void TestPictureDecoder::refuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    try {
        PictureDecoder().decode(bytes);
        QFAIL("the picture was accepted");
    } catch (const PictureFailure &failure) {
        QVERIFY2(QString::fromUtf8(failure.what()).contains(reason), failure.what());
    }
}

void TestPictureDecoder::sameAsQtsReader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QImage clouds =
        QImage::fromData(sample::cloudJpeg(QStringLiteral("8071802"), {333, 211}, false));
    QTest::newRow("baseline") << baseline();
    QTest::newRow("progressive") << progressive();
    QTest::newRow("odd size") << sample::cloudJpeg(QStringLiteral("8071802"), {333, 211}, false);
    QTest::newRow("4:4:4") << libjpegEncoded(clouds, {.arithmetic = false, .fullChroma = true});
    QTest::newRow("arithmetic") << arithmeticJpeg(clouds, false);
    QTest::newRow("grey") << encoded(clouds.convertToFormat(QImage::Format_Grayscale8), "JPEG");
}

void TestPictureDecoder::sameAsQtsReader()
{
    QFETCH(QByteArray, bytes);
    const QImage ours = PictureDecoder().decode(bytes);
    const QImage qts = QImage::fromData(bytes, "JPEG");
    QVERIFY(!qts.isNull());
    QCOMPARE(ours.size(), qts.size());
    QCOMPARE(ours.convertToFormat(QImage::Format_RGB32), qts.convertToFormat(QImage::Format_RGB32));
}

void TestPictureDecoder::reusesTheLastPicturesMemory()
{
    PictureDecoder decoder;
    QImage first = decoder.decode(baseline());
    const uchar *memory = first.constBits();
    const QImage fresh = first.copy();
    // What the last owner set on the picture: a high-DPI screen's ratio, a resolution, a text.
    first.setDevicePixelRatio(2);
    first.setDotsPerMeterX(1234);
    decoder.recycle(std::move(first));
    QImage second = decoder.decode(progressive());
    QCOMPARE(second.constBits(), memory);
    QCOMPARE(second, QImage::fromData(progressive(), "JPEG").convertToFormat(QImage::Format_RGB32));
    QCOMPARE(second.devicePixelRatio(), 1.0);
    QCOMPARE(second.dotsPerMeterX(), fresh.dotsPerMeterX());
    second.setText(QStringLiteral("Comment"), QStringLiteral("shown before"));
    decoder.recycle(std::move(second));
    QCOMPARE(decoder.decode(baseline()).textKeys(), QStringList());

    // A picture someone still holds is never written over.
    QImage held = decoder.decode(baseline());
    const QImage holder = held;
    decoder.recycle(std::move(held));
    QVERIFY(decoder.decode(progressive()).constBits() != holder.constBits());
    QCOMPARE(holder, QImage::fromData(baseline(), "JPEG").convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestPictureDecoder)
#include "tst_picturedecoder.moc"
