// Exporting a loop through the real transfer and the sample archive: the files read back.

#include "network/transfer.h"
#include "export/loopexport.h"
#include "retrieval/picturesahead.h"
#include "samplearchive.h"
#include "waituntil.h"
#include "webpframes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>


using namespace veltaro;

Q_DECLARE_METATYPE(veltaro::AnimationFormat)

namespace {

bool labelled(const QImage &frame);

struct ReadBack
{
    int frames = 0;
    QList<int> delaysMs;
    QSize size;
    QImage first;
    bool everyFrameLabelled = true; // the moment written on each
};

ReadBack readWebp(const QByteArray &bytes)
{
    const WebpFrames read = readWebpFrames(bytes);
    ReadBack back{int(read.frames.size()), read.delaysMs, read.size,
                  read.frames.isEmpty() ? QImage() : read.frames.first()};
    for (const QImage &frame : read.frames)
        back.everyFrameLabelled = back.everyFrameLabelled && labelled(frame);
    return back;
}

ReadBack readGif(const QString &path)
{
    ReadBack back;
    QImageReader reader(path, "gif");
    back.size = reader.size();
    for (QImage frame; reader.read(&frame);) {
        if (back.frames == 0)
            back.first = frame.convertToFormat(QImage::Format_ARGB32);
        back.everyFrameLabelled = back.everyFrameLabelled && labelled(frame.convertToFormat(QImage::Format_ARGB32));
        ++back.frames;
        back.delaysMs << reader.nextImageDelay();
    }
    return back;
}

// Whether the bottom-left corner, where the moment is written, holds white and black ink.
bool labelled(const QImage &frame)
{
    bool white = false, black = false;
    for (int y = frame.height() * 2 / 3; y < frame.height(); ++y)
        for (int x = 0; x < frame.width() / 3; ++x) {
            const QRgb p = frame.pixel(x, y);
            white = white || (qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235);
            black = black || (qRed(p) < 20 && qGreen(p) < 20 && qBlue(p) < 20);
        }
    return white && black;
}

} // namespace

class TestLoopExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void animationsReadBack_data();
    void animationsReadBack();
    void missingHoursAreSkippedAndNamed();
    void gifTakesTheTablesColours();
    void smoothFramesBetweenConsecutiveHours_data();
    void smoothFramesBetweenConsecutiveHours();
    void cancelLeavesNoFile();
    void folderHoldsTheDownloadedBytes();
    void endsHonestly_data();
    void endsHonestly();

private:
    ExportResult run(ExportRequest request);

    sample::SampleArchive m_archive;
    QTemporaryDir m_dir;
};

void TestLoopExport::initTestCase()
{
    qunsetenv("no_proxy");
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({160, 120});
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
}

void TestLoopExport::init()
{
    m_archive.setScript({});
    m_archive.setMissing({});
    m_archive.clearRequests();
}

ExportResult TestLoopExport::run(ExportRequest request)
{
    Transfer transfer;
    LoopExport job(transfer, std::move(request));
    QSignalSpy finished(&job, &LoopExport::finished);
    job.start();
    if (!waitUntil([&] { return !finished.isEmpty(); }, 60000))
        return {};
    return finished.first().first().value<ExportResult>();
}

void TestLoopExport::animationsReadBack_data()
{
    QTest::addColumn<AnimationFormat>("format");
    QTest::addColumn<bool>("backAndForth");
    QTest::addColumn<bool>("inverted");
    QTest::newRow("WebP, 4 a second") << AnimationFormat::WebP << false << false;
    QTest::newRow("WebP back and forth, inverted") << AnimationFormat::WebP << true << true;
    QTest::newRow("GIF, 4 a second") << AnimationFormat::Gif << false << false;
    QTest::newRow("GIF, inverted") << AnimationFormat::Gif << false << true;
}

void TestLoopExport::animationsReadBack()
{
    QFETCH(AnimationFormat, format);
    QFETCH(bool, backAndForth);
    QFETCH(bool, inverted);
    ExportRequest request;
    for (int hour = 7; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.animation.format = format;
    request.plan.picturesPerSecond = 4;
    request.plan.backAndForth = backAndForth;
    request.plan.restMs = 500;
    request.plan.longestSide = 80;
    if (inverted)
        request.enhancement = Enhancement::invert();
    request.path = m_dir.filePath(format == AnimationFormat::Gif ? "loop.gif" : "loop.webp");
    const ExportResult result = run(request);
    QVERIFY2(result.written, qPrintable(result.reason));
    QVERIFY(result.missing.isEmpty());
    QFile file(request.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(result.bytes, bytes.size());
    const ReadBack back = format == AnimationFormat::Gif ? readGif(request.path) : readWebp(bytes);
    const QList<int> delays = backAndForth ? QList<int>{250, 250, 250, 750, 250, 250}
                                           : QList<int>{250, 250, 250, 750};
    QCOMPARE(back.frames, int(delays.size()));
    QCOMPARE(result.frames, back.frames);
    QCOMPARE(back.delaysMs, delays);
    QCOMPARE(back.size, QSize(80, 60));
    QVERIFY(labelled(back.first));
    QVERIFY(back.everyFrameLabelled); // on the way back too
    // Without the moment written, the corner is the picture's own.
    request.plan.label = false;
    request.path = m_dir.filePath(format == AnimationFormat::Gif ? "bare.gif" : "bare.webp");
    QVERIFY(run(request).written);
    QFile bareFile(request.path);
    QVERIFY(bareFile.open(QIODevice::ReadOnly));
    const ReadBack bare =
        format == AnimationFormat::Gif ? readGif(request.path) : readWebp(bareFile.readAll());
    int differing = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 0; x < 40; ++x)
            differing += std::abs(qGray(bare.first.pixel(x, y)) - qGray(back.first.pixel(x, y))) > 60;
    QVERIFY2(differing > 40, qPrintable(QString::number(differing)));
    // The enhancement is in the frames: the first frame beside the archive's own picture.
    const QImage served = QImage::fromData(m_archive.pictureBytes("8071723"))
                              .scaled(80, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QPoint probe(40, 20);
    const int level = qGray(served.pixel(probe));
    const int seen = qGray(back.first.pixel(probe));
    QVERIFY2(std::abs((inverted ? 255 - level : level) - seen) < 40,
             qPrintable(QStringLiteral("%1 shown as %2").arg(level).arg(seen)));
}

void TestLoopExport::gifTakesTheTablesColours()
{
    // A table of 256 colours, a ramp from blue to red: every frame's colours are the table's
    // own (and the moment's black and white), where a fitted palette would have moved them.
    const auto ramp = std::make_shared<const EnhancementTable>(
        parseEnhancementTable(QStringLiteral("name: ramp\n0-255: #0000ff - #ff0000\n"), QStringLiteral("ramp.table")));
    QSet<QRgb> allowed{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (const QRgb colour : ramp->colours)
        allowed.insert(colour | 0xff000000u);
    ExportRequest request;
    for (int hour = 9; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.animation.format = AnimationFormat::Gif;
    request.plan.longestSide = 160;
    request.enhancement = Enhancement::table(ramp);
    request.path = m_dir.filePath("ramp.gif");
    const ExportResult result = run(request);
    QVERIFY2(result.written, qPrintable(result.reason));
    QImageReader reader(request.path, "gif");
    int frames = 0;
    for (QImage frame; reader.read(&frame); ++frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        int outside = 0;
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                outside += !allowed.contains(rgb.pixel(x, y) | 0xff000000u);
        QCOMPARE(outside, 0);
        // Away from the moment written, each pixel is the table's colour for its grey level: the
        // ramp's blue and red add up to 255 everywhere.
        for (int y = 0; y < rgb.height() / 2; ++y)
            for (int x = 0; x < rgb.width(); ++x)
                QCOMPARE(qRed(rgb.pixel(x, y)) + qBlue(rgb.pixel(x, y)), 255);
    }
    QCOMPARE(frames, 2);
}

void TestLoopExport::missingHoursAreSkippedAndNamed()
{
    m_archive.setMissing({"8071801"}); // 09:00 Beijing time
    ExportRequest request;
    for (int hour = 8; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.plan.longestSide = 64;
    request.path = m_dir.filePath("gap.webp");
    const ExportResult result = run(request);
    QVERIFY2(result.written, qPrintable(result.reason));
    QCOMPARE(result.missing, QStringList{"2008-07-18 09:00"});
    QFile file(request.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(readWebp(file.readAll()).frames, 2);
}

void TestLoopExport::smoothFramesBetweenConsecutiveHours_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QStringList>("missing"); // UTC names the archive lacks
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("backAndForth");
    QTest::newRow("three hours, two steps: a frame between each") << 2 << QStringList{} << 5 << false;
    QTest::newRow("three hours, four steps: three between each") << 4 << QStringList{} << 9 << false;
    QTest::newRow("a missing hour: made across it by real time") << 2 << QStringList{"8071801"} << 5 << false;
    QTest::newRow("back and forth: made on the way back too") << 2 << QStringList{} << 7 << true;
}

void TestLoopExport::smoothFramesBetweenConsecutiveHours()
{
    QFETCH(int, steps);
    QFETCH(QStringList, missing);
    QFETCH(int, frames);
    QFETCH(bool, backAndForth);
    m_archive.setMissing(missing);
    ExportRequest request;
    for (int hour = 8; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.animation.format = AnimationFormat::Gif;
    request.plan.longestSide = 80;
    request.plan.smoothSteps = steps;
    request.plan.restMs = 500;
    request.plan.backAndForth = backAndForth;
    request.path = m_dir.filePath(QStringLiteral("smooth%1%2.gif").arg(steps).arg(backAndForth));
    const ExportResult result = run(request);
    QVERIFY2(result.written, qPrintable(result.reason));
    const ReadBack back = readGif(request.path);
    QCOMPARE(back.frames, frames);
    QCOMPARE(result.frames, frames);
    // Every frame at the speed; the rest on the last real one of the way forward only.
    QCOMPARE(back.delaysMs.count(750), 1);
    QCOMPARE(back.delaysMs.indexOf(750), backAndForth ? 4 : frames - 1);
    QVERIFY(back.everyFrameLabelled);
}

void TestLoopExport::cancelLeavesNoFile()
{
    m_archive.setScript({.delayMs = 400});
    ExportRequest request;
    for (int hour = 0; hour < 6; ++hour)
        request.hours.push_back({2008, 7, 19, hour});
    request.path = m_dir.filePath("cancelled.webp");
    Transfer transfer;
    LoopExport job(transfer, request);
    QSignalSpy finished(&job, &LoopExport::finished);
    job.start();
    QVERIFY(waitUntil([&] { return !m_archive.requests().isEmpty(); }));
    job.cancel();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().value<ExportResult>().reason, QString::fromUtf16(u"已取消"));
    QTest::qWait(600); // what was under way has had the time to come back
    QVERIFY(!QFile::exists(request.path));
    QCOMPARE(QDir(m_dir.path()).entryList({"*cancelled*", ".*cancelled*"}, QDir::Files | QDir::Hidden), QStringList());
}

void TestLoopExport::folderHoldsTheDownloadedBytes()
{
    const QString folder = m_dir.filePath("pictures");
    QVERIFY(QDir().mkpath(folder));
    // One is there already: it is neither fetched nor touched.
    QFile kept(QDir(folder).filePath("2008-07-18_0900.jpg"));
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.write("kept before");
    kept.close();
    ExportRequest request;
    for (int hour = 8; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.jpegFolder = true;
    request.path = folder;
    const ExportResult result = run(request);
    QVERIFY2(result.written, qPrintable(result.reason));
    QCOMPARE(result.frames, 2);
    QCOMPARE(m_archive.requests().size(), 2);
    const auto contents = [&](const char *name) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QCOMPARE(contents("2008-07-18_0800.jpg"), m_archive.pictureBytes("8071800"));
    QCOMPARE(contents("2008-07-18_0900.jpg"), QByteArray("kept before"));
    QCOMPARE(contents("2008-07-18_1000.jpg"), m_archive.pictureBytes("8071802"));
    // Said as files and their size, not as frames of nothing.
    QCOMPARE(result.bytes, m_archive.pictureBytes("8071800").size() + m_archive.pictureBytes("8071802").size());
    QVERIFY2(writtenText(result).contains(QString::fromUtf16(u"2 个新文件")), qPrintable(writtenText(result)));
}

void TestLoopExport::endsHonestly_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("said");     // part of the reason, or of the hours skipped
    QTest::addColumn<int>("frames");       // read back; -1 nothing written
    // clang-format off
    QTest::newRow("playback lets go of a frame the export shares") << "another holder lets go" << true << "" << 3;
    QTest::newRow("a damaged hour is skipped with its reason") << "09:00 damaged" << true << "2008-07-18 09:00（" << 2;
    QTest::newRow("a damaged kept copy is fetched anew") << "09:00 kept damaged" << true << "" << 3;
    QTest::newRow("the same picture every hour: the frames the file holds") << "same picture" << true << "" << 1;
    QTest::newRow("the encoder refuses: failed, nothing written") << "encoder refuses" << false << "WebP" << -1;
    QTest::newRow("a folder under the file's name: said in Chinese") << "path is a folder" << false << "是一个文件夹" << -1;
    // clang-format on
}

void TestLoopExport::endsHonestly()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, written);
    QFETCH(QString, said);
    QFETCH(int, frames);
    QTemporaryDir cache;
    Transfer transfer;
    transfer.useDiskCache(cache.filePath("pictures"), 16 << 20);
    ExportRequest request;
    for (int hour = 8; hour <= 10; ++hour)
        request.hours.push_back({2008, 7, 18, hour});
    request.plan.longestSide = 64;
    request.path = m_dir.filePath(QStringLiteral("honest-%1.webp").arg(QTest::currentDataTag()));
    QFile::remove(request.path);
    const QString nine = QString::fromStdString(imageAddressOf({2008, 7, 18, 9}));
    if (meanwhile == "09:00 damaged") {
        m_archive.setDamaged({"8071801"});
    } else if (meanwhile == "09:00 kept damaged") {
        m_archive.setDamaged({"8071801"});
        TransferRequest *keep = transfer.get(nine);
        QSignalSpy kept(keep, &TransferRequest::finished);
        QVERIFY(kept.wait(10000));
        QVERIFY(transfer.isKept(nine));
        m_archive.setDamaged({}); // mended since
    } else if (meanwhile == "encoder refuses") {
        request.animation.quality = 1000;
    } else if (meanwhile == "path is a folder") {
        QVERIFY(QDir().mkpath(request.path));
    } else if (meanwhile == "another holder lets go") {
        m_archive.setScript({.delayMs = 300});
    } else if (meanwhile == "same picture") {
        m_archive.setScript({.body = m_archive.pictureBytes("8071802")});
        request.plan.label = false;
    }
    LoopExport job(transfer, request);
    QSignalSpy finished(&job, &LoopExport::finished);
    job.start();
    if (meanwhile == "another holder lets go") {
        // Playback asks for the hour the export is fetching, then steps on and lets it go.
        QVERIFY(waitUntil([&] { return transfer.isFetching(QString::fromStdString(imageAddressOf({2008, 7, 18, 8}))); }));
        transfer.get(QString::fromStdString(imageAddressOf({2008, 7, 18, 8})))->abort();
    }
    // The time-out only guards against a hang.
    QVERIFY2(finished.wait(60000) || !finished.isEmpty(), "the export never ended");
    m_archive.setDamaged({});
    const ExportResult result = finished.first().first().value<ExportResult>();
    QCOMPARE(finished.size(), 1);
    QVERIFY2(result.written == written, qPrintable(result.reason));
    QVERIFY(!result.cancelled);
    const QString told = result.reason + result.skipped.join(' ');
    QVERIFY2(told.contains(said), qPrintable(told));
    if (frames < 0) {
        QVERIFY(!QFileInfo(request.path).isFile());
        return;
    }
    QCOMPARE(result.frames, frames);
    QFile file(request.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(readWebp(file.readAll()).frames, frames);
}

QTEST_MAIN(TestLoopExport)
#include "tst_loopexport.moc"
