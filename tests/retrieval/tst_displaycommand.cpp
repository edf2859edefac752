#include "cloudpicture.h"
#include "startedwindow.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "files/stagingfile.h"
#include "network/proxysetting.h"
#include "network/transfer.h"
#include "retrieval/displaycommand.h"
#include "retrieval/picturesahead.h"
#include "samplearchive.h"
#include "files/savedfile.h"
#include "window/formmain.h"
#include "window/actiontable.h"
#include "window/picturekeeper.h"
#include "window/player.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTest>

#include "filecontents.h"
#include <QTimer>

#include "encodedpictures.h"
#include "waituntil.h"

#include <atomic>
#include <thread>

using namespace veltaro;
using sample::Fault;
using sample::Script;

Q_DECLARE_METATYPE(sample::Script)

namespace {

const QString kWorking = statusWorking();
const QString kNotFound = statusNotFound();

// The started window, with a deadline short enough for stalls.
class Window : public StartedWindow
{
public:
    explicit Window(const QString &folder) : StartedWindow(folder)
    {
        transfer().setDeadline(std::chrono::seconds(5));
    }
    PictureBox *imageBox() const { return picture2(); }
};

} // namespace

class TestDisplayCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void showsThePicture();
    void nothingPicked();
    void failureKeepsWhatWasShown_data();
    void failureKeepsWhatWasShown();
    void cutChunkedBody();
    void closedPort();
    void trailingBytesAreShown();
    void smallerAfterLarger();
    void emptyYearNamesImageWithoutDigit();
    void unwritableFolder();
    void fullDisk();
    void secondCopyReplacesTheFile();
    void stepsThroughTime_data();
    void stepsThroughTime();
    void keepsTheShownPicture();
    void keptPicturesServeSteps();
    void stepAfterTheNeighbourIsReadyAsksNothing();
    void playbackStops_data();
    void playbackStops();
    void playbackSkipsAMissingHourAndLoops();
    void windowStaysAliveDuringTransfer();
    void escapeCancelsTheDownload();
    void aStepDuringAFrameSaysItsOwnFailure();
    void statusIsHeard();
    void reasonKey_data();
    void reasonKey();
    void exitDuringStall();

private:
    sample::SampleArchive m_archive;
    QTemporaryDir m_dir;
};

void TestDisplayCommand::initTestCase()
{
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    QVERIFY(m_archive.listen());
    sample::SampleArchive::gzipBomb(); // made now, not inside a timed transfer
    // The program's fixed address reaches the archive through the proxy setting.
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
}

void TestDisplayCommand::init()
{
    m_archive.setScript({});
    m_archive.setPictureSize(sample::kPictureSize);
    // Pictures fetched ahead by an earlier test's window must not count in this one.
    m_archive.dropConnections();
    m_archive.clearRequests();
    QFile::remove(m_dir.filePath("temp.jpg"));
}

void TestDisplayCommand::showsThePicture()
{
    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());

    QCOMPARE(window.statuses, (QStringList{kWorking, QString()}));
    QCOMPARE(window.reason(), QString());
    QCOMPARE(m_archive.requests(),
             QStringList{"http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180200.jpg"});
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071802"));
    QCOMPARE(window.imageBox()->picture().size(), sample::kPictureSize);
    QVERIFY(window.bar("HScroll1")->max() > 0);
    QVERIFY(window.bar("VScroll1")->max() > 0);
    QCOMPARE(window.bar("HScroll1")->max(),
             qRound(window.imageBox()->widthTwips() -
                    qobject_cast<PictureBox *>(window.control("Picture1"))->innerWidthTwips()));
}

void TestDisplayCommand::nothingPicked()
{
    Window window(m_dir.path());
    window.pick("8", "07", "18", "");
    QVERIFY(window.press());
    QCOMPARE(window.statuses, (QStringList{kWorking, kNotFound}));
    QVERIFY2(window.reason().contains(QStringLiteral(u"未选择小时")), qPrintable(window.reason()));
    QVERIFY(m_archive.requests().isEmpty());
    QVERIFY(!QFile::exists(window.stagingFile().path()));

    // Nothing picked at all: the same.
    Window untouched(m_dir.path());
    QVERIFY(untouched.press());
    QCOMPARE(untouched.status(), kNotFound);
    QVERIFY(m_archive.requests().isEmpty());
}

void TestDisplayCommand::failureKeepsWhatWasShown_data()
{
    QTest::addColumn<Script>("script");
    QTest::addColumn<bool>("staged"); // the failure comes after the body was written
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("404") << Script{.fault = Fault::NotFound} << false << "服务器上没有这幅图像（HTTP 404）";
    QTest::newRow("500") << Script{.fault = Fault::ServerError} << false << "服务器出错（HTTP 500）";
    QTest::newRow("empty body") << Script{.fault = Fault::Empty} << false << "没有返回内容";
    QTest::newRow("short body") << Script{.fault = Fault::ShortBody} << false << "提前关闭了连接|内容不完整";
    QTest::newRow("gzip body cut at half its length") << Script{.fault = Fault::GzipCut} << false << "提前关闭了连接|内容不完整";
    QTest::newRow("gzip body nobody asked for") << Script{.fault = Fault::Gzipped} << true << "不支持的图像格式";
    QTest::newRow("length of -1") << Script{.fault = Fault::BadLength} << false << "Content-Length 为“-1”|服务器的回答有误";
    QTest::newRow("reset") << Script{.fault = Fault::Reset} << false << "提前关闭了连接";
    QTest::newRow("redirect loop") << Script{.fault = Fault::RedirectLoop} << false << "重定向次数过多";
    QTest::newRow("oversized") << Script{.fault = Fault::Oversized} << false << "图像过大";
    QTest::newRow("stall") << Script{.fault = Fault::StallAfterHeaders} << false << "下载超时";
    QTest::newRow("drip") << Script{.fault = Fault::Drip, .dripIntervalMs = 10} << false << "下载超时";
    QTest::newRow("text page") << Script{.fault = Fault::TextPage} << true << "不支持的图像格式：无法识别的数据";
    QTest::newRow("150 scans") << Script{.fault = Fault::ManyScans} << true << "扫描数过多";
    QTest::newRow("gzip bomb, never inflated") << Script{.fault = Fault::GzipBomb} << true << "不支持的图像格式";
    QTest::newRow("redirect to a file") << Script{.fault = Fault::RedirectToFile} << false << "不支持的地址类型";
    QTest::newRow("enormous dimensions") << Script{.fault = Fault::HugeDimensions} << true << "60000×60000 像素超过解码上限 256 MiB";
    // Ended by a broken connection with no length: only the picture's own end tells.
    QTest::newRow("a whole gif") << Script{.body = smallGif()} << true << "不支持的图像格式：gif";
    QTest::newRow("coded data missing, end marker put back") << Script{.body = withCodedDataCut(sample::cloudJpeg(QStringLiteral("8071802"), {400, 300}, false), 0.5)} << true << "图像不完整";
    QTest::newRow("bmp cut, no length") << Script{.fault = Fault::Truncated, .contentLength = false, .body = encoded(QImage(64, 48, QImage::Format_RGB32), "BMP")} << true << "BMP 像素数据不足";
    QTest::newRow("png cut, no length") << Script{.fault = Fault::Truncated, .contentLength = false, .body = encoded(QImage(64, 48, QImage::Format_RGB32), "PNG")} << true << "PNG 没有结束块";
    // clang-format on
    for (bool progressive : {false, true}) {
        for (bool length : {true, false}) {
            for (double fraction : {0.1, 0.5}) {
                const QString name = QStringLiteral("%1 cut at %2%, %3")
                                         .arg(progressive ? "progressive" : "baseline")
                                         .arg(fraction * 100)
                                         .arg(length ? "with length" : "without length");
                // clang-format off
                QTest::newRow(qPrintable(name)) << Script{.fault = Fault::Truncated, .fraction = fraction, .progressive = progressive, .contentLength = length} << true << "图像不完整";
                // clang-format on
            }
        }
    }
}

void TestDisplayCommand::failureKeepsWhatWasShown()
{
    QFETCH(Script, script);
    QFETCH(bool, staged);
    QFETCH(QString, reason);

    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
    const QImage shown = window.imageBox()->picture();
    const QByteArray stagedBefore = fileContents(window.stagingFile().path());
    const int hMax = window.bar("HScroll1")->max();

    // The pictures are made before the short deadline starts; only a stall may meet it.
    m_archive.pictureBytes("8071902", false);
    m_archive.pictureBytes("8071902", true);
    window.transfer().setDeadline(std::chrono::milliseconds(800));
    m_archive.setScript(script);
    window.statuses.clear();
    window.pick("8", "07", "19", "10");
    QVERIFY(window.press());
    QCOMPARE(window.statuses, (QStringList{kWorking, kNotFound}));
    QVERIFY2(window.reason().contains(QRegularExpression(reason)), qPrintable(window.reason()));
    QCOMPARE(window.imageBox()->picture(), shown);
    QCOMPARE(window.bar("HScroll1")->max(), hMax);
    if (staged)
        QCOMPARE(fileContents(window.stagingFile().path()), m_archive.lastBody());
    else
        QCOMPARE(fileContents(window.stagingFile().path()), stagedBefore);

    // Success after failure: through "稍侯〉〉〉" to the empty text, the tooltip cleared.
    m_archive.setScript({});
    window.transfer().setDeadline(std::chrono::seconds(5));
    window.statuses.clear();
    QVERIFY(window.press());
    QCOMPARE(window.statuses, (QStringList{kWorking, QString()}));
    QCOMPARE(window.reason(), QString());
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071902"));
}

void TestDisplayCommand::cutChunkedBody()
{
    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    const QImage shown = window.imageBox()->picture();

    // Whether Qt reports the cut or hands the short body over, the picture is refused.
    m_archive.setScript({.fault = Fault::ChunkedCut});
    window.pick("8", "07", "19", "10");
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
    QCOMPARE(window.imageBox()->picture(), shown);

    m_archive.setScript({});
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
}

void TestDisplayCommand::closedPort()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QByteArray closed =
        QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()).toLatin1();
    probe.close();
    QProcessEnvironment environment;
    environment.insert("http_proxy", closed);

    QTemporaryDir fresh; // nothing kept
    Window window(fresh.path());
    window.pick("8", "07", "18", "10");
    window.transfer().setProxy(ProxySetting::fromEnvironment(environment));
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
    QVERIFY2(window.reason().contains(QStringLiteral(u"代理服务器 127.0.0.1")), qPrintable(window.reason()));
    QVERIFY(!QFile::exists(window.stagingFile().path()));

    window.transfer().setProxy(ProxySetting::fromEnvironment());
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());

    // Without a network, a press shows the kept copy and says so; another moment is not found.
    window.transfer().setProxy(ProxySetting::fromEnvironment(environment));
    QFile::remove(window.stagingFile().path());
    window.statuses.clear();
    QVERIFY(window.press());
    QCOMPARE(window.statuses, (QStringList{kWorking, QString()}));
    QVERIFY2(window.reason().contains(QRegularExpression(
                 QStringLiteral(u"^网络不通：显示的是 \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d 取得的副本$"))),
             qPrintable(window.reason()));
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071802"));
    window.pick("8", "07", "18", "11");
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
}

void TestDisplayCommand::trailingBytesAreShown()
{
    Window window(m_dir.path());
    m_archive.setScript({.fault = Fault::TrailingBytes});
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.lastBody());
    QCOMPARE(window.imageBox()->picture().size(), sample::kPictureSize);
}

void TestDisplayCommand::smallerAfterLarger()
{
    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    window.bar("HScroll1")->setValue(window.bar("HScroll1")->max());

    m_archive.setPictureSize({600, 400});
    window.pick("8", "07", "18", "11");
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
    // The file is exactly the new body, with nothing of the older, larger one after it.
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071803"));
    QCOMPARE(window.imageBox()->picture().size(), QSize(600, 400));
    QVERIFY(window.bar("HScroll1")->max() < 0);
    QVERIFY(!window.bar("HScroll1")->isEnabled());
    QCOMPARE(window.imageBox()->pos(), QPoint(0, 0));
}

void TestDisplayCommand::emptyYearNamesImageWithoutDigit()
{
    Window window(m_dir.path());
    window.pick("", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(m_archive.requests(),
             QStringList{"http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/07180200.jpg"});
    QCOMPARE(window.status(), QString());
}

void TestDisplayCommand::unwritableFolder()
{
    Window window(m_dir.filePath("missing/folder"));
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
    QVERIFY2(window.reason().contains("temp.jpg"), qPrintable(window.reason()));
    QVERIFY(!window.imageBox()->hasPicture());
}

void TestDisplayCommand::fullDisk()
{
    // A 64 KiB file system: room for a small picture, not for a large one.
    QTemporaryDir mountPoint;
    QProcess mount;
    mount.start("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint.path()});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit ||
        mount.exitCode() != 0)
        QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint.path()}); });

    Window window(mountPoint.path());
    m_archive.setPictureSize({120, 90});
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
    const QByteArray small = fileContents(window.stagingFile().path());
    const QImage shown = window.imageBox()->picture();

    m_archive.setPictureSize(sample::kPictureSize);
    window.pick("8", "07", "18", "11");
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
    QVERIFY2(window.reason().contains("temp.jpg"), qPrintable(window.reason()));
    QVERIFY2(window.reason().contains(QStringLiteral(u"磁盘已满")), qPrintable(window.reason()));
    // The earlier file stays whole, and nothing half-written is left beside it.
    QCOMPARE(fileContents(window.stagingFile().path()), small);
    QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"temp.jpg"});
    QCOMPARE(window.imageBox()->picture(), shown);

    m_archive.setPictureSize({120, 90});
    window.pick("8", "07", "18", "12");
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
}

void TestDisplayCommand::secondCopyReplacesTheFile()
{
    // Another copy of the program, started from the same folder, rewrites temp.jpg all the time
    // with its own, smaller picture.
    const QByteArray theirs = sample::cloudJpeg(QStringLiteral("9123101"), {200, 100}, false);
    std::atomic<bool> done = false;
    std::thread other([&] {
        const StagingFile staging(m_dir.path());
        while (!done)
            staging.write(theirs);
    });
    const auto stop = qScopeGuard([&] {
        done = true;
        other.join();
    });

    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    for (int press = 0; press < 20; ++press) {
        QVERIFY(window.press());
        QCOMPARE(window.status(), QString());
        QCOMPARE(window.imageBox()->picture().size(), sample::kPictureSize);
    }
}

void TestDisplayCommand::stepsThroughTime_data()
{
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("to");     // the lists afterwards
    QTest::addColumn<QString>("requested"); // the image name fetched, empty for none
    QTest::addColumn<QString>("focused");
    using L = QStringList;
    // clang-format off
    QTest::newRow("an hour later") << L{"8", "07", "18", "10"} << int(Qt::Key_Right) << L{"8", "07", "18", "11"} << "8071803" << "Picture1";
    QTest::newRow("an hour earlier, over midnight") << L{"8", "07", "18", "00"} << int(Qt::Key_Left) << L{"8", "07", "17", "23"} << "8071715" << "Combo3";
    QTest::newRow("a day later, over a month end") << L{"8", "07", "31", "10"} << int(Qt::Key_Up) << L{"8", "08", "01", "10"} << "8080102" << "HScroll1";
    QTest::newRow("a day earlier, over a month end") << L{"8", "05", "01", "09"} << int(Qt::Key_Down) << L{"8", "04", "30", "09"} << "8043001" << "Command1";
    QTest::newRow("February 2008 has a 29th") << L{"8", "02", "28", "10"} << int(Qt::Key_Up) << L{"8", "02", "29", "10"} << "8022902" << "VScroll1";
    QTest::newRow("February 2007 has none") << L{"7", "02", "28", "23"} << int(Qt::Key_Right) << L{"7", "03", "01", "00"} << "7022816" << "Combo4";
    QTest::newRow("over the year's end") << L{"6", "12", "31", "23"} << int(Qt::Key_Right) << L{"7", "01", "01", "00"} << "6123116" << "Picture2";
    QTest::newRow("back over the year's end") << L{"9", "01", "01", "03"} << int(Qt::Key_Down) << L{"8", "12", "31", "03"} << "8123019" << "Combo1";
    QTest::newRow("the first moment stays") << L{"6", "01", "01", "00"} << int(Qt::Key_Left) << L{"6", "01", "01", "00"} << "" << "Picture1";
    QTest::newRow("the last moment stays") << L{"9", "12", "31", "23"} << int(Qt::Key_Right) << L{"9", "12", "31", "23"} << "" << "Command2";
    QTest::newRow("no day after the last") << L{"9", "12", "31", "10"} << int(Qt::Key_Up) << L{"9", "12", "31", "10"} << "" << "Combo2";
    QTest::newRow("a date that does not exist") << L{"8", "02", "30", "10"} << int(Qt::Key_Right) << L{"8", "02", "30", "10"} << "" << "Picture1";
    QTest::newRow("no hour picked") << L{"8", "07", "18", ""} << int(Qt::Key_Right) << L{"8", "07", "18", ""} << "" << "Picture1";
    // clang-format on
}

void TestDisplayCommand::stepsThroughTime()
{
    QFETCH(QStringList, from);
    QFETCH(int, key);
    QFETCH(QStringList, to);
    QFETCH(QString, requested);
    QFETCH(QString, focused);
    QTemporaryDir nothingKept; // so that the step asks the network
    Window window(nothingKept.path());
    QVERIFY(window.showActive());
    window.pick(from[0], from[1], from[2], from[3]);
    m_archive.clearRequests();

    // Ctrl and an arrow, wherever the focus is.
    QWidget *focus = window.control(focused.toLatin1().constData());
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(focus, Qt::Key(key), Qt::ControlModifier);
    QVERIFY(window.settled());
    QStringList shown;
    for (const char *list : {"Combo1", "Combo2", "Combo3", "Combo4"})
        shown << qobject_cast<QComboBox *>(window.control(list))->currentText();
    QCOMPARE(shown, to);
    // The step's own picture was asked for (its neighbours may follow, fetched ahead); where
    // nothing moves, nothing is shown.
    if (requested.isEmpty())
        QVERIFY(!window.imageBox()->hasPicture());
    else
        QVERIFY(m_archive.requests().contains(
            "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/" + requested + "00.jpg"));
    QCOMPARE(window.status(), QString());
}

void TestDisplayCommand::keptPicturesServeSteps()
{
    QTemporaryDir dir;
    // How often the archive was asked for a name (neighbours are fetched ahead besides).
    const auto asked = [this](const char *name) {
        return m_archive.requests().count(
            QStringLiteral("http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/") +
            QString::fromLatin1(name) + QStringLiteral("00.jpg"));
    };
    {
        Window window(dir.path());
        QVERIFY(window.showActive());
        window.pick("8", "07", "18", "10");
        QVERIFY(window.press());
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(window.settled());
        QCOMPARE(asked("8071802"), 1);
        QCOMPARE(asked("8071803"), 1);
        // Back to a picture fetched before: no request, and temp.jpg is the picture shown.
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(window.settled());
        QCOMPARE(asked("8071802"), 1);
        QCOMPARE(window.status(), QString());
        QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071802"));
        // A press still asks the network.
        QVERIFY(window.press());
        QCOMPARE(asked("8071802"), 2);
        QCOMPARE(window.status(), QString());
    }

    // After a restart, with the server gone wrong, a step is served from what was kept.
    m_archive.setScript({.fault = Fault::Reset});
    {
        Window window(dir.path());
        QVERIFY(window.showActive());
        window.pick("8", "07", "18", "10");
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(window.settled());
        QCOMPARE(asked("8071803"), 1);
        QCOMPARE(window.status(), QString());
        QCOMPARE(window.imageBox()->pictureSize(), sample::kPictureSize);
    }

    // A kept copy damaged on disk is dropped and fetched anew, never shown.
    m_archive.setScript({});
    const QByteArray tail = m_archive.pictureBytes("8071803").right(64);
    QDirIterator files(dir.filePath("pictures"), QDir::Files, QDirIterator::Subdirectories);
    bool damaged = false;
    while (files.hasNext()) {
        const QString path = files.next();
        QByteArray bytes = fileContents(path);
        if (const qsizetype at = bytes.indexOf(tail); at >= 0) {
            bytes.replace(at, tail.size(), QByteArray(tail.size(), '\0'));
            QVERIFY(writeFile(path, bytes));
            damaged = true;
        }
    }
    QVERIFY(damaged);
    Window window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(window.settled());
    QCOMPARE(asked("8071803"), 2);
    QCOMPARE(window.status(), QString());
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071803"));
}

void TestDisplayCommand::stepAfterTheNeighbourIsReadyAsksNothing()
{
    QTemporaryDir dir;
    Window window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    // A press alone asks for its own picture only: nothing is fetched ahead.
    const QString prefix = "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/";
    QCOMPARE(m_archive.requests().count(prefix + "807180200.jpg"), 1);
    QVERIFY(!m_archive.requests().contains(prefix + "807180300.jpg"));
    QVERIFY(!m_archive.requests().contains(prefix + "807180100.jpg"));
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(window.settled());
    // The next hour the same way is fetched ahead, in the background.
    const QString next = "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180400.jpg";
    QTRY_VERIFY_WITH_TIMEOUT(m_archive.requests().contains(next), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(window.picturesAhead().decodedCount(), 2, 10000);
    const int asked = m_archive.requests().size();
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(window.settled());
    QCOMPARE(window.list(4)->currentText(), "12");
    QVERIFY(!m_archive.requests().mid(asked).contains(next));
    QCOMPARE(window.status(), QString());
    QCOMPARE(fileContents(window.stagingFile().path()), m_archive.pictureBytes("8071804"));
    QCOMPARE(window.imageBox()->picture().pixel(10, 10),
             QImage::fromData(m_archive.pictureBytes("8071804")).pixel(10, 10));
}

void TestDisplayCommand::playbackStops_data()
{
    QTest::addColumn<QString>("stop");
    QTest::newRow("Ctrl+P") << "ctrl+p";
    QTest::newRow("a press of 显示") << "press";
    QTest::newRow("a list changed by the user") << "list";
    QTest::newRow("a step") << "step";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("the end of the lists' range") << "end";
}

void TestDisplayCommand::playbackStops()
{
    QFETCH(QString, stop);
    QTemporaryDir dir;
    Window window(dir.path());
    QVERIFY(window.showActive());
    const bool atTheEnd = stop == "end";
    window.pick(atTheEnd ? "9" : "8", atTheEnd ? "12" : "07", atTheEnd ? "31" : "18",
                atTheEnd ? "21" : "10");
    for (int i = 0; i < Player::kFastest; ++i)
        QTest::keyClick(&window, Qt::Key_BracketRight, Qt::ControlModifier);
    QCOMPARE(window.player().speed(), Player::kFastest);
    QStringList hours; // as the hour list shows them
    connect(window.list(4), &QComboBox::currentTextChanged, &window,
            [&hours](const QString &hour) { hours << hour; });
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(window.player().isPlaying());
    if (atTheEnd) {
        QTRY_VERIFY_WITH_TIMEOUT(!window.player().isPlaying(), 10000);
        QCOMPARE(window.list(4)->currentText(), "23");
        return;
    }
    // Hour by hour, the lists moving as a step moves them.
    QTRY_VERIFY_WITH_TIMEOUT(hours.size() >= 2, 10000);
    QCOMPARE(hours.mid(0, 2), (QStringList{"11", "12"}));
    if (stop == "ctrl+p")
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    else if (stop == "press")
        QTest::mouseClick(window.control("Command1"), Qt::LeftButton);
    else if (stop == "list")
        QTest::keyClick(window.list(3), Qt::Key_Down);
    else if (stop == "step")
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
    else
        QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.player().isPlaying());
    QCOMPARE(window.actions().action(Command::Play)->text(), "播放");
}

void TestDisplayCommand::playbackSkipsAMissingHourAndLoops()
{
    QTemporaryDir dir;
    Window window(dir.path());
    QVERIFY(window.showActive());
    m_archive.setMissing({"8071801"}); // 09:00 Beijing time
    const auto reset = qScopeGuard([this] { m_archive.setMissing({}); });
    window.pick("8", "07", "18", "10");
    for (int i = 0; i < Player::kFastest; ++i)
        window.player().faster();
    QStringList moments; // "day hour", as the lists show them when the hour changes
    connect(window.list(4), &QComboBox::currentTextChanged, &window, [&](const QString &hour) {
        moments << window.list(3)->currentText() + QLatin1Char(' ') + hour;
    });
    // The 24 hours that end at 10:00 on the 18th, over and over.
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(window.player().isLooping());
    // The lists name the loop's first hour once its picture is shown, not before.
    QCOMPARE(window.list(4)->currentText(), "10");
    QTRY_COMPARE_WITH_TIMEOUT(moments.value(0), "17 11", 30000);
    // A missing hour is never named by the lists: they stay on the picture shown.
    QCOMPARE(moments.indexOf("18 09"), -1);
    // The last hour, then the first again.
    QTRY_VERIFY_WITH_TIMEOUT(moments.indexOf("18 10") >= 0 &&
                                 moments.indexOf("17 11", moments.indexOf("18 10")) >= 0,
                             30000);
    QVERIFY(window.player().isPlaying());
    // The missing hour was passed over and is named; the status line stays clear.
    QCOMPARE(window.player().skipped(), QStringList{"2008-07-18 09:00"});
    QCOMPARE(window.status(), QString());
    QVERIFY2(window.reason().contains("2008-07-18 09:00"), qPrintable(window.reason()));
    // Pictures held ahead stay within their bound, and are let go when playing stops.
    QVERIFY(window.picturesAhead().decodedCount() <= PicturesAhead::kDecodedAtMost);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.player().isPlaying());
    QCOMPARE(window.picturesAhead().decodedCount(), 0);
}

void TestDisplayCommand::keepsTheShownPicture()
{
    Window window(m_dir.path());
    QVERIFY(window.showActive());
    PictureKeeper &keeper = window.pictureKeeper();
    QVERIFY2(!window.actions().action(Command::Copy)->isEnabled() &&
                 !window.actions().action(Command::Save)->isEnabled(),
             "nothing to keep before a picture is shown");

    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    const QString described = QString::fromUtf16(
        u"北京时间 2008-07-18 10:00 · UTC 2008-07-18 02:00 · 807180200.jpg · 1400 × 1100 · 100 %");
    QCOMPARE(window.imageBox()->toolTip(), described);
    QCOMPARE(window.control("Picture1")->accessibleDescription(), described);

    // Ctrl+C: the shown picture on the clipboard.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), sample::kPictureSize);

    // Ctrl+S: the very bytes downloaded, under the image's own name proposed in Pictures.
    QString proposed;
    const QString target = m_dir.filePath("kept.jpg");
    keeper.setSavePathChooser([&](const QString &path, const QString &) {
        proposed = path;
        return target;
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(proposed, QDir(folderToSaveIn({})).filePath("807180200.jpg"));
    const QByteArray served = m_archive.pictureBytes("8071802");
    QCOMPARE(fileContents(target), served);

    // After a failed command the earlier picture stays shown, and is the one kept.
    window.pick("8", "07", "18", "11");
    m_archive.setScript({.fault = Fault::NotFound});
    QVERIFY(window.press());
    QCOMPARE(window.status(), kNotFound);
    QVERIFY(QFile::remove(target));
    keeper.saveAs();
    QCOMPARE(fileContents(target), served);
    // The dialog opens where the user saved last.
    QCOMPARE(proposed, QDir(m_dir.path()).filePath("807180200.jpg"));
    QCOMPARE(window.imageBox()->toolTip(), described);
}

void TestDisplayCommand::windowStaysAliveDuringTransfer()
{
    QTemporaryDir folder; // nothing kept from the tests before
    Window window(folder.path());
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.transfer().setDeadline(std::chrono::milliseconds(1500));
    m_archive.setScript({.fault = Fault::StallAfterHeaders});
    window.pick("8", "07", "18", "10");

    QString statusDuring;
    Qt::CursorShape cursorDuring = Qt::ArrowCursor;
    connect(&m_archive, &sample::SampleArchive::requestReceived, &window, [&] {
        if (m_archive.requests().size() > 1)
            return;
        statusDuring = window.status();
        // The busy cursor comes once the wait has lasted a moment.
        QTimer::singleShot(800, &window, [&] {
            if (QCursor *cursor = QGuiApplication::overrideCursor())
                cursorDuring = cursor->shape();
        });
        // A step through time while the download waits replaces it: the newest moment wins.
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    });
    QTest::mouseClick(window.control("Command1"), Qt::LeftButton);
    QVERIFY(waitUntil([&] { return !statusDuring.isEmpty() && !window.displayCommand().isRunning(); }));
    disconnect(&m_archive, nullptr, &window, nullptr);

    QCOMPARE(statusDuring, kWorking);
    QCOMPARE(cursorDuring, Qt::BusyCursor);
    // The first hour asked for first, then the newest once (the hours either side of it are
    // fetched ahead meanwhile).
    QVERIFY(m_archive.requests().first().endsWith("807180200.jpg"));
    QCOMPARE(m_archive.requests().filter("807180300.jpg").size(), 1);
    QCOMPARE(window.list(4)->currentText(), "11");
    // One command: the replaced download never said "无法找到".
    QCOMPARE(window.statuses, (QStringList{kWorking, kWorking, kNotFound}));
    QTRY_VERIFY(!QGuiApplication::overrideCursor()); // it follows the command's end from the event loop
}

void TestDisplayCommand::escapeCancelsTheDownload()
{
    QTemporaryDir folder; // nothing kept from the tests before
    Window window(folder.path());
    QVERIFY(window.showActive());
    const QString staged = window.stagingFile().path();
    QFile::remove(staged);
    window.pick("8", "07", "18", "10");
    // Slow: the picture would take about ten seconds. Esc once its progress has been told twice.
    const qint64 total = m_archive.pictureBytes("8071802").size();
    m_archive.setScript({.bytesPerSecond = int(total / 10)});
    QTimer poll;
    connect(&poll, &QTimer::timeout, &window, [&] {
        if (window.progress.size() >= 2) {
            poll.stop();
            QTest::keyClick(&window, Qt::Key_Escape);
        }
    });
    poll.start(20);
    QVERIFY(window.press());
    poll.stop();
    QCOMPARE(window.status(), kNotFound);
    QCOMPARE(window.reason(), QString::fromUtf16(u"已取消"));
    QVERIFY2(!QFile::exists(staged), "nothing of the cancelled download was written");
    QVERIFY(!window.imageBox()->hasPicture());

    // While it came, the tooltip and the description told how much had arrived.
    const QRegularExpression told(QStringLiteral("^已下载 (\\d+) KB / %1 KB$").arg((total + 1023) / 1024));
    QVERIFY(window.progress.size() >= 2);
    int before = 0;
    for (const auto &[text, toolTip, description] : std::as_const(window.progress)) {
        const QRegularExpressionMatch match = told.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        QVERIFY(match.captured(1).toInt() >= before);
        before = match.captured(1).toInt();
        QCOMPARE(toolTip, text);
        QCOMPARE(description, text);
    }

    // The next press is whole.
    m_archive.setScript({});
    QVERIFY(window.press());
    QCOMPARE(window.status(), QString());
    QCOMPARE(fileContents(staged), m_archive.pictureBytes("8071802"));
}

void TestDisplayCommand::aStepDuringAFrameSaysItsOwnFailure()
{
    QTemporaryDir folder;
    Window window(folder.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    // The first frame waits for the archive; a step meanwhile replaces it and fails where the
    // user can see it, not as a frame passed over.
    m_archive.setScript({.delayMs = 300});
    bool stepped = false;
    connect(&m_archive, &sample::SampleArchive::requestReceived, &window, [&] {
        if (std::exchange(stepped, true))
            return;
        m_archive.setScript({.fault = Fault::NotFound});
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    });
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(waitUntil([&] { return stepped && !window.displayCommand().isRunning(); }));
    disconnect(&m_archive, nullptr, &window, nullptr);
    QVERIFY(stepped);
    QVERIFY(!window.player().isPlaying());
    QCOMPARE(window.list(4)->currentText(), "11");
    QCOMPARE(window.status(), kNotFound);
    QVERIFY2(window.reason().contains("404"), qPrintable(window.reason()));
}

void TestDisplayCommand::statusIsHeard()
{
    // What a screen reader reads of the status line at each state: its text as its name, the
    // reason or the picture shown as its description. (The end-to-end test hears the changes
    // through AT-SPI.)
    Window window(m_dir.path());
    window.pick("8", "07", "18", "10");
    m_archive.setScript({.fault = Fault::NotFound});
    QVERIFY(window.press());
    const QString reason = window.reason();
    QVERIFY(!reason.isEmpty());
    m_archive.setScript({});
    QVERIFY(window.press());
    const QString described = window.pictureKeeper().description();
    QVERIFY(!described.isEmpty());
    QCOMPARE(window.heard, (QStringList{QString::fromUtf16(u"稍侯〉〉〉 | 状态"),
                                        QString::fromUtf16(u"无法找到 | ") + reason,
                                        QString::fromUtf16(u"稍侯〉〉〉 | 状态"),
                                        " | " + described}));
}

void TestDisplayCommand::reasonKey_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Ctrl+I") << QKeySequence(Qt::CTRL | Qt::Key_I);
}

void TestDisplayCommand::reasonKey()
{
    QFETCH(QKeySequence, key);
    Window window(m_dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    m_archive.setScript({.fault = Fault::NotFound});
    QVERIFY(window.press());
    QVERIFY(!window.reason().isEmpty());
    QTest::keySequence(&window, key);
    QTRY_COMPARE(QToolTip::text(), window.reason());
    QToolTip::hideText();
}

void TestDisplayCommand::exitDuringStall()
{
    Window window(m_dir.path());
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    m_archive.setScript({.fault = Fault::StallAfterHeaders});
    window.transfer().setDeadline(std::chrono::seconds(30));
    window.pick("8", "07", "18", "10");
    connect(&m_archive, &sample::SampleArchive::requestReceived, &window, [&] {
        QTimer::singleShot(50, &window,
                           [&] { QTest::mouseClick(window.control("Command2"), Qt::LeftButton); });
    });
    QTimer::singleShot(0, &window,
                       [&] { QTest::mouseClick(window.control("Command1"), Qt::LeftButton); });
    // The watchdog ends the loop with 99 long before the transfer's own deadline: an exit
    // status of 0 means "退出" ended the program without waiting for the stalled transfer.
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, &window, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_archive.requests().size(), 1);
}

QTEST_MAIN(TestDisplayCommand)
#include "tst_displaycommand.moc"
