// `Veltaro --export`, the built program as a user runs it, against the sample archive: its exit
// statuses and what it says.

#include "samplearchive.h"
#include "waituntil.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "filecontents.h"
#include "webpframes.h"

class TestExportCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatuses_data();
    void exitStatuses();
    void theMomentWrittenSpeaksTheLanguage();

private:
    veltaro::sample::SampleArchive m_archive;
};

void TestExportCommand::initTestCase()
{
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({160, 120});
}

void TestExportCommand::exitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments"); // %1 stands for the output's folder
    QTest::addColumn<QString>("proxy");         // "archive"; "closed" for a network down; "missing" or
                                                // "damaged" for 09:00 lacking or cut in half
    QTest::addColumn<int>("runs");              // the same export, run this many times
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");          // part of standard error
    QTest::addColumn<int>("frames");            // read back from a GIF; -1 not read
    // clang-format off
    QTest::newRow("every frame in") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--hours", "4", "--size", "80"} << "archive" << 1 << 0 << "4 帧" << 4;
    QTest::newRow("every other hour") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18 10", "--hours", "6", "--every", "2", "--size", "80"} << "archive" << 1 << 0 << "3 帧" << 3;
    QTest::newRow("an hour missing: named, status 3") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--hours", "3", "--size", "80"} << "missing" << 1 << 3 << "2008-07-18 09:00" << 2;
    QTest::newRow("an hour damaged: named with why, status 3") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--hours", "3", "--size", "80"} << "damaged" << 1 << 3 << "2008-07-18 09:00（" << 2;
    QTest::newRow("an MP4 by its suffix, said whole, no encoder chatter") << QStringList{"--export", "%1/loop.mp4", "--moment", "2008-07-18T10", "--hours", "4", "--size", "80"} << "archive" << 1 << 0 << "4 帧" << -1;
    QTest::newRow("smooth: a frame made between each two hours") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--hours", "4", "--size", "80", "--smooth", "2"} << "archive" << 1 << 0 << "7 帧" << 7;
    QTest::newRow("smooth in more steps than offered") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--smooth", "5"} << "archive" << 1 << 2 << "--smooth 应为 2 到 4 之间的整数" << -1;
    QTest::newRow("a folder that holds every file ends at once") << QStringList{"--export", "%1/jpgs", "--format", "jpg", "--moment", "2008-07-18T10", "--hours", "3"} << "archive" << 2 << 0 << "（0 个新文件" << -1;
    QTest::newRow("no network: status 1") << QStringList{"--export", "%1/loop.webp", "--moment", "2008-07-18T10", "--hours", "3"} << "closed" << 1 << 1 << "导出失败：网络不通" << -1;
    QTest::newRow("an enhancement of no such name") << QStringList{"--export", "%1/loop.webp", "--moment", "2008-07-18T10", "--enhance", "purple"} << "archive" << 1 << 2 << "没有名为“purple”的增强" << -1;
    QTest::newRow("a table that cannot be used says why") << QStringList{"--export", "%1/loop.webp", "--moment", "2008-07-18T10", "--enhance", "mine"} << "archive" << 1 << 2 << "mine.table 第 3 行" << -1;
    QTest::newRow("in English: the frames counted") << QStringList{"--lang", "en", "--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--hours", "4", "--size", "80"} << "archive" << 1 << 0 << "4 frames)" << 4;
    QTest::newRow("in English: an hour missing, named") << QStringList{"--export", "%1/loop.gif", "--lang=en", "--moment", "2008-07-18T10", "--hours", "3", "--size", "80"} << "missing" << 1 << 3 << "The server has no picture for these moments (Beijing time), passed over: 2008-07-18 09:00" << 2;
    QTest::newRow("in English: a refusal") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--smooth", "5", "--lang", "en"} << "archive" << 1 << 2 << "--smooth takes a whole number from 2 to 4" << -1;
    QTest::newRow("a language it does not speak") << QStringList{"--export", "%1/loop.gif", "--moment", "2008-07-18T10", "--lang", "fr"} << "archive" << 1 << 2 << "--lang 只能是 zh_CN|en" << -1;
    QTest::newRow("a moment out of range") << QStringList{"--export", "%1/loop.webp", "--moment", "2010-01-01T00"} << "archive" << 1 << 2 << "不在 2006-01-01 00:00 到 2009-12-31 23:00 之间" << -1;
    // clang-format on
}

void TestExportCommand::exitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, proxy);
    QFETCH(int, runs);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(int, frames);
    QTemporaryDir dir;
    for (QString &argument : arguments)
        argument.replace("%1", dir.path());
    m_archive.setMissing(proxy == "missing" ? QStringList{"8071801"} : QStringList{});
    m_archive.setDamaged(proxy == "damaged" ? QStringList{"8071801"} : QStringList{});
    QString proxyAddress = m_archive.proxyAddress();
    if (proxy == "closed") {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        proxyAddress = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("http_proxy", proxyAddress);
    environment.remove("no_proxy");
    environment.remove("DISPLAY"); // no display is needed
    environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    // A table of the user's own that does not parse, at its third line.
    QVERIFY(QDir().mkpath(dir.filePath("data/Veltaro/enhancements")));
    QVERIFY(writeFile(dir.filePath("data/Veltaro/enhancements/mine.table"),
                      "名称: 我的\n0-100: 灰\n101-255: 紫\n"));
    QString errors;
    QProcess veltaro;
    for (int run = 0; run < runs; ++run) {
        veltaro.setProcessEnvironment(environment);
        veltaro.start(VELTARO_EXECUTABLE, arguments);
        QVERIFY(veltaro.waitForStarted());
        // The archive answers from this process: its events run while the program works. The
        // time-out only guards against a hang.
        QVERIFY2(waitUntil([&] { return veltaro.state() == QProcess::NotRunning; }, 60000),
                 "the export never ended");
        errors = QString::fromUtf8(veltaro.readAllStandardError());
    }
    QCOMPARE(veltaro.exitStatus(), QProcess::NormalExit);
    QVERIFY2(veltaro.exitCode() == status, qPrintable(QString::number(veltaro.exitCode()) + ": " + errors));
    QVERIFY2(errors.contains(said), qPrintable(errors));
    if (frames >= 0) {
        QImageReader reader(dir.filePath("loop.gif"));
        QCOMPARE(reader.imageCount(), frames);
        QCOMPARE(reader.size(), QSize(80, 60));
    } else {
        QVERIFY(!QFile::exists(dir.filePath("loop.webp")) || status == 0);
    }
    if (arguments.first().endsWith(".mp4") || arguments.value(1).endsWith(".mp4")) {
        // An MP4 file, and the encoder's own statistics kept off the terminal.
        QFile video(dir.filePath("loop.mp4"));
        QVERIFY(video.open(QIODevice::ReadOnly));
        QCOMPARE(video.read(8).mid(4), QByteArray("ftyp"));
        QVERIFY2(!errors.contains("x264"), qPrintable(errors));
    }
}

void TestExportCommand::theMomentWrittenSpeaksTheLanguage()
{
    // One lossless frame written in English, in Chinese and without the moment: the two
    // languages differ where the moment is written, bottom left, and nowhere above it.
    m_archive.setMissing({});
    m_archive.setDamaged({});
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("http_proxy", m_archive.proxyAddress());
    environment.remove("no_proxy");
    environment.remove("DISPLAY");
    environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    const auto exported = [&](const QString &name, const QStringList &more) {
        QProcess veltaro;
        veltaro.setProcessEnvironment(environment);
        veltaro.start(VELTARO_EXECUTABLE, QStringList{"--export", dir.filePath(name), "--moment", "2008-07-18T10",
                                                      "--hours", "1", "--size", "original", "--lossless"} +
                                              more);
        if (!veltaro.waitForStarted() ||
            !waitUntil([&] { return veltaro.state() == QProcess::NotRunning; }, 60000) || veltaro.exitCode() != 0)
            return QImage();
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? readWebpFrames(file.readAll()).frames.value(0) : QImage();
    };
    const QImage english = exported("en.webp", {"--lang", "en"});
    const QImage chinese = exported("zh.webp", {"--lang", "zh_CN"});
    const QImage plain = exported("plain.webp", {"--no-label"});
    QVERIFY(!english.isNull() && !chinese.isNull() && !plain.isNull());
    QCOMPARE(english.size(), QSize(160, 120));
    const QRect above(0, 0, 160, 60);
    const QRect moment(0, 60, 160, 60);
    QCOMPARE(english.copy(above), plain.copy(above));
    QCOMPARE(chinese.copy(above), plain.copy(above));
    QVERIFY(english.copy(moment) != plain.copy(moment));
    QVERIFY(chinese.copy(moment) != plain.copy(moment));
    QVERIFY(english.copy(moment) != chinese.copy(moment));
}

QTEST_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
