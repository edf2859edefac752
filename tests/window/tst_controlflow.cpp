// Every input in every state of the display command and the player has one outcome: the table
// in docs/control-flow.md, row by row, through the real command, player, stepper, transfer and
// the sample archive, with a window reduced to what the command sees of it.

#include "files/stagingfile.h"
#include "network/transfer.h"
#include "picture/enhancement.h"
#include "query/hypotenuse.h"
#include "query/moment.h"
#include "retrieval/displaycommand.h"
#include "retrieval/displayview.h"
#include "export/loopexport.h"
#include "retrieval/picturesahead.h"
#include "samplearchive.h"
#include "waituntil.h"
#include "window/player.h"
#include "window/timestepper.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace veltaro;
using sample::Script;

namespace {

const QString kPrefix = QStringLiteral("http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/");

// What the display command sees of the window: four filled lists, a status line and the
// moments of the pictures shown.
class FakeView : public DisplayView
{
public:
    FakeView()
    {
        const auto two = [](int n) { return QString::fromStdString(Hypotenuse(ListInteger(n))); };
        for (const char *digit : {"6", "7", "8", "9"})
            lists[0].addItem(QString::fromLatin1(digit));
        for (int n = 1; n <= 12; ++n)
            lists[1].addItem(two(n));
        for (int n = 1; n <= 31; ++n)
            lists[2].addItem(two(n));
        for (int n = 1; n <= 23; ++n)
            lists[3].addItem(two(n));
        lists[3].addItem(QStringLiteral("00"));
    }
    QueryTime queryTime() const override
    {
        return {lists[0].currentText().toStdString(), lists[1].currentText().toStdString(),
                lists[2].currentText().toStdString(), lists[3].currentText().toStdString()};
    }
    void setStatus(const QString &text, const QString &why) override
    {
        status = text;
        reason = why;
        statuses << text;
    }
    void showProgress(const QString &) override {}
    QImage showPicture(QImage picture, QImage seen, const PictureSource &source) override
    {
        const auto moment = momentOf(source.beijing);
        shown << (moment ? dayHour(*moment) : QStringLiteral("?"));
        lastSeen = std::move(seen);
        lastBytes = source.bytes;
        return std::exchange(m_picture, std::move(picture));
    }
    void updateScrollRanges() override {}

    void pickInLists(const QueryTime &texts) override
    {
        const std::string *items[] = {&texts.year, &texts.month, &texts.day, &texts.hour};
        for (int i = 0; i < 4; ++i)
            lists[i].setCurrentIndex(lists[i].findText(QString::fromStdString(*items[i])));
    }
    QString listed() const
    {
        const auto moment = momentOf(queryTime());
        return moment ? dayHour(*moment) : QString();
    }
    static QString dayHour(const Moment &moment)
    {
        return QStringLiteral("%1 %2").arg(moment.day, 2, 10, QLatin1Char('0'))
            .arg(moment.hour, 2, 10, QLatin1Char('0'));
    }

    QComboBox lists[4];
    QString status;
    QString reason;
    QStringList statuses;
    QStringList shown;
    QImage lastSeen;      // the last picture shown as enhanced; null when shown as it is
    QByteArray lastBytes; // the bytes it came from

    const QImage &picture() const { return m_picture; }

private:
    QImage m_picture;
};

// The parts of the window that make its control flow, as the window wires them.
struct Parts
{
    explicit Parts(const QString &folder)
        : staging(folder), display(view, transfer, staging),
          stepper(nullptr, view, display),
          player(nullptr, stepper, display, view)
    {
        transfer.useDiskCache(QDir(folder).filePath(QStringLiteral("pictures")), 64 << 20);
        transfer.setDeadline(std::chrono::seconds(10));
        display.setPicturesAhead(&ahead);
        stepper.setPicturesAhead(&ahead);
        player.setPicturesAhead(&ahead);
        QObject::connect(&stepper, &TimeStepper::stepped, &player, &Player::stop);
    }
    void pick(int year, int month, int day, int hour)
    {
        stepper.showInLists({year, month, day, hour});
    }
    [[nodiscard]] bool settled(int timeoutMs = 20000)
    {
        return waitUntil([this] { return !display.isRunning(); }, timeoutMs);
    }

    FakeView view;
    Transfer transfer;
    PicturesAhead ahead{transfer};
    StagingFile staging;
    DisplayCommand display;
    TimeStepper stepper;
    Player player;
};

} // namespace

class TestControlFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyInputInEveryState_data();
    void everyInputInEveryState();
    void fetchingAheadNeverAsksTwice_data();
    void fetchingAheadNeverAsksTwice();
    void aFailedPressLeavesTheFetchesAhead();
    void aLoopOfOneHourIsNoLoop();
    void aLoopKeepsItsHours_data();
    void aLoopKeepsItsHours();
    void aRunThatEndsAtOnceEndsFromTheEventLoop_data();
    void aRunThatEndsAtOnceEndsFromTheEventLoop();
    void whileAnExportRuns_data();
    void whileAnExportRuns();
    void aRunReplacedWhilePreparing_data();
    void aRunReplacedWhilePreparing();
    void partsGoBeforeWhatTheyReferTo();

private:
    void reach(Parts &parts, const QString &state);
    void give(Parts &parts, const QString &input);
    int asked(const char *name) const
    {
        return m_archive.requests().count(kPrefix + QString::fromLatin1(name) + "00.jpg");
    }

    sample::SampleArchive m_archive;
    QByteArray m_closedProxy;
};

void TestControlFlow::initTestCase()
{
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({320, 240});
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    m_closedProxy = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()).toLatin1();
}

void TestControlFlow::init()
{
    m_archive.setScript({});
    m_archive.setMissing({});
    m_archive.dropConnections();
    m_archive.clearRequests();
}

// Each state starts from 2008-07-18 10:00 (UTC name 8071802) shown by a press.
void TestControlFlow::reach(Parts &parts, const QString &state)
{
    parts.pick(2008, 7, 18, 10);
    parts.display.run(DisplayCommand::Kind::Press);
    QVERIFY(parts.settled());
    QCOMPARE(parts.view.shown, QStringList{"18 10"});
    const auto downloading = [&](const char *name) {
        return waitUntil([&] { return asked(name) > 0 && parts.display.isDownloading(); });
    };
    if (state == "idle")
        return;
    m_archive.setScript({.delayMs = 500});
    if (state == "fetching for a press") {
        parts.pick(2008, 7, 18, 11);
        parts.display.run(DisplayCommand::Kind::Press);
        QVERIFY(downloading("8071803"));
    } else if (state == "fetching for a step") {
        parts.stepper.step(1);
        QVERIFY(downloading("8071803"));
    } else if (state == "playing, frame shown") {
        parts.player.setSpeed(Player::kSlowest);
        parts.player.play(); // its first frame is the kept 10:00
        QVERIFY(parts.settled());
    } else if (state == "playing, frame fetching") {
        parts.player.setSpeed(Player::kFastest);
        parts.player.play();
        QVERIFY(downloading("8071803"));
    } else if (state == "loop") {
        m_archive.setScript({});
        parts.player.setSpeed(Player::kSlowest);
        parts.player.playLoop();
        QVERIFY(parts.settled());
    } else {
        QFAIL(qPrintable("no such state: " + state));
    }
    parts.view.statuses.clear();
}

void TestControlFlow::give(Parts &parts, const QString &input)
{
    if (input == "显示") {
        parts.player.stop();
        parts.display.run(DisplayCommand::Kind::Press);
    } else if (input == "显示 ten times") {
        parts.player.stop();
        for (int i = 0; i < 10; ++i)
            parts.display.run(DisplayCommand::Kind::Press);
    } else if (input == "step") {
        parts.stepper.step(1);
    } else if (input == "Ctrl+P") {
        parts.player.togglePlay();
    } else if (input == "Shift+Ctrl+P") {
        // Answers at once from now on: a loop over slow hours would never leave a moment idle
        // for the check that follows.
        m_archive.setScript({});
        parts.player.playLoop();
    } else if (input == "Esc") {
        stopWhatRuns(parts.display, parts.player);
    } else if (input == "network fails") {
        QProcessEnvironment environment;
        environment.insert("http_proxy", QString::fromLatin1(m_closedProxy));
        parts.transfer.setProxy(ProxySetting::fromEnvironment(environment));
        if (parts.player.isPlaying()) {
            parts.pick(2008, 7, 20, 10); // hours nothing has kept
            QVERIFY(waitUntil([&] { return !parts.player.isPlaying(); }));
        } else {
            parts.display.run(DisplayCommand::Kind::Press);
        }
    } else if (input == "network fails, another moment") {
        QProcessEnvironment environment;
        environment.insert("http_proxy", QString::fromLatin1(m_closedProxy));
        parts.transfer.setProxy(ProxySetting::fromEnvironment(environment));
        parts.pick(2008, 7, 20, 10);
        parts.display.run(DisplayCommand::Kind::Press);
    } else {
        QFAIL(qPrintable("no such input: " + input));
    }
}

void TestControlFlow::whileAnExportRuns_data()
{
    // An export of 17:00 to 22:00 on the 17th (09 .. 14 UTC) runs over a slow archive, through
    // the window's own transfer, while the window is given an input.
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("said"); // part of the export's reason, when not written
    QTest::newRow("Esc stops playing the same hours; the export goes on") << "Esc while playing" << true << "";
    QTest::newRow("a step replaces the window's download; the export keeps its own") << "step" << true << "";
    QTest::newRow("a loop shares the hours and stops; the export is whole") << "Shift+Ctrl+P, then Ctrl+P" << true << "";
    QTest::newRow("显示 for an hour the export fetches joins it") << "显示" << true << "";
    QTest::newRow("the network fails: the export says so") << "network fails" << false << "网络不通";
}

void TestControlFlow::whileAnExportRuns()
{
    QFETCH(QString, input);
    QFETCH(bool, written);
    QFETCH(QString, said);
    QTemporaryDir folder;
    Parts parts(folder.path());
    parts.pick(2008, 7, 17, 22);
    m_archive.setScript({.delayMs = 200});
    ExportRequest request;
    for (int hour = 17; hour <= 22; ++hour)
        request.hours.push_back({2008, 7, 17, hour});
    request.plan.longestSide = 64;
    request.path = folder.filePath("loop.webp");
    LoopExport job(parts.transfer, request);
    QSignalSpy finished(&job, &LoopExport::finished);
    job.start();
    QVERIFY(waitUntil([&] { return parts.transfer.isFetching(kPrefix + "807170900.jpg"); }));
    if (input == "Esc while playing") {
        parts.player.setSpeed(Player::kFastest);
        parts.player.playLoop();
        QVERIFY(waitUntil([&] { return parts.display.isDownloading(); }));
        stopWhatRuns(parts.display, parts.player);
        QVERIFY(!parts.player.isPlaying());
    } else if (input == "step") {
        parts.pick(2008, 7, 17, 16);
        parts.stepper.step(1); // 17:00, which the export is fetching
        QVERIFY(waitUntil([&] { return parts.display.isDownloading(); }));
        parts.stepper.step(1); // replaced: the window lets go of 17:00
    } else if (input == "Shift+Ctrl+P, then Ctrl+P") {
        parts.player.setSpeed(Player::kFastest);
        parts.player.playLoop();
        QVERIFY(waitUntil([&] { return parts.display.isDownloading(); }));
        parts.player.togglePlay();
    } else if (input == "显示") {
        parts.pick(2008, 7, 17, 17);
        parts.display.run(DisplayCommand::Kind::Press);
    } else if (input == "network fails") {
        QProcessEnvironment environment;
        environment.insert("http_proxy", QString::fromLatin1(m_closedProxy));
        parts.transfer.setProxy(ProxySetting::fromEnvironment(environment));
    }
    // The time-out only guards against a hang.
    QVERIFY2(finished.wait(60000) || !finished.isEmpty(), "the export never ended");
    QCOMPARE(finished.size(), 1);
    const ExportResult result = finished.first().first().value<ExportResult>();
    QVERIFY2(result.written == written, qPrintable(result.reason));
    QVERIFY2(result.reason.contains(said), qPrintable(result.reason));
    if (written) {
        QCOMPARE(result.frames, 6);
        QVERIFY2(result.missing.isEmpty() && result.skipped.isEmpty(),
                 qPrintable(result.skipped.join(' ')));
    }
    QVERIFY(parts.settled());
}

void TestControlFlow::aRunReplacedWhilePreparing_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("a step: temp.jpg is the picture on screen") << "step";
    QTest::newRow("another enhancement: the picture is seen with it") << "enhancement";
    QTest::newRow("back to none: the picture is seen as it is") << "no enhancement";
}

void TestControlFlow::aRunReplacedWhilePreparing()
{
    QFETCH(QString, meanwhile);
    QTemporaryDir folder;
    Parts parts(folder.path());
    if (meanwhile == "no enhancement")
        parts.display.setEnhancement(Enhancement::invert());
    // 12:00 is decoded ahead (small), so that the step's picture is staged at once while the
    // press's larger one for 11:00 is still being written.
    m_archive.setPictureSize({160, 120});
    parts.ahead.want({Moment{2008, 7, 18, 12}});
    QVERIFY(waitUntil([&] { return parts.ahead.decodedCount() == 1; }));
    m_archive.setPictureSize({3000, 2400});
    parts.pick(2008, 7, 18, 11);
    int replaced = 0;
    QObject context;
    connect(&parts.display, &DisplayCommand::stateChanged, &context,
            [&](DisplayCommand::State state) {
                if (state != DisplayCommand::State::Preparing || replaced++ > 0)
                    return;
                if (meanwhile == "step")
                    parts.stepper.step(1);
                else if (meanwhile == "enhancement")
                    parts.display.setEnhancement(Enhancement::invert());
                else
                    parts.display.setEnhancement(Enhancement());
            });
    parts.display.run(DisplayCommand::Kind::Press);
    QVERIFY(parts.settled());
    QVERIFY(replaced > 0);
    if (meanwhile == "step") {
        QCOMPARE(parts.view.shown.last(), QStringLiteral("18 12"));
        // Whatever order the two writes ended in, the file is the picture on screen, and the
        // replaced run left no file of its own behind.
        QTRY_COMPARE(QDir(folder.path()).entryList({".temp.jpg-*"}, QDir::Files | QDir::Hidden),
                     QStringList());
        QCOMPARE(QFile(parts.staging.path()).size(), parts.view.lastBytes.size());
        QFile staged(parts.staging.path());
        QVERIFY(staged.open(QIODevice::ReadOnly));
        QCOMPARE(staged.readAll(), parts.view.lastBytes);
    } else if (meanwhile == "enhancement") {
        QCOMPARE(parts.view.lastSeen, Enhancement::invert().apply(parts.view.picture()));
    } else {
        QVERIFY2(parts.view.lastSeen.isNull(), "still seen through the enhancement let go");
    }
}

void TestControlFlow::everyInputInEveryState_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("status"); // the status line's text at the end
    QTest::addColumn<QString>("reason"); // a pattern its reason must hold
    QTest::addColumn<int>("playing");    // 0 stopped, 1 playing, 2 looping
    QTest::addColumn<QString>("shown");  // day and hour of the last picture shown; * any
    QTest::addColumn<QString>("listed"); // day and hour the lists show; * any
    QTest::addColumn<int>("asked11");    // requests for 11:00 (8071803); -1 not counted

    const QString none;
    const QString notFound = statusNotFound();
    // clang-format off
    QTest::newRow("idle, 显示") << "idle" << "显示" << none << "^$" << 0 << "18 10" << "18 10" << 0;
    QTest::newRow("idle, step") << "idle" << "step" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("idle, Ctrl+P") << "idle" << "Ctrl+P" << none << "^$" << 1 << "*" << "*" << -1;
    QTest::newRow("idle, Shift+Ctrl+P") << "idle" << "Shift+Ctrl+P" << none << "^$" << 2 << "*" << "*" << -1;
    QTest::newRow("idle, Esc does nothing") << "idle" << "Esc" << none << "^$" << 0 << "18 10" << "18 10" << 0;
    QTest::newRow("idle, the network fails, the picture kept") << "idle" << "network fails" << none << "^网络不通：显示的是 .* 取得的副本$" << 0 << "18 10" << "18 10" << 0;

    QTest::newRow("press fetching, 显示 for it joins") << "fetching for a press" << "显示" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("press fetching, 显示 ten times joins") << "fetching for a press" << "显示 ten times" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("press fetching, a step replaces it") << "fetching for a press" << "step" << none << "^$" << 0 << "18 12" << "18 12" << -1;
    QTest::newRow("press fetching, Ctrl+P plays from it") << "fetching for a press" << "Ctrl+P" << none << "^$" << 1 << "*" << "*" << 1;
    QTest::newRow("press fetching, Esc cancels it") << "fetching for a press" << "Esc" << notFound << "^已取消$" << 0 << "18 10" << "18 11" << 1;
    QTest::newRow("press fetching, another press without a network") << "fetching for a press" << "network fails, another moment" << notFound << "代理服务器" << 0 << "18 10" << "20 10" << 1;

    QTest::newRow("step fetching, 显示 for it joins") << "fetching for a step" << "显示" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("step fetching, a step replaces it") << "fetching for a step" << "step" << none << "^$" << 0 << "18 12" << "18 12" << -1;
    QTest::newRow("step fetching, Shift+Ctrl+P loops to it") << "fetching for a step" << "Shift+Ctrl+P" << none << "^$" << 2 << "*" << "*" << -1;
    QTest::newRow("step fetching, Esc cancels it") << "fetching for a step" << "Esc" << notFound << "^已取消$" << 0 << "18 10" << "18 11" << 1;

    QTest::newRow("frame shown, 显示 stops and shows") << "playing, frame shown" << "显示" << none << "^$" << 0 << "18 10" << "18 10" << 0;
    QTest::newRow("frame shown, a step stops and steps") << "playing, frame shown" << "step" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("frame shown, Ctrl+P pauses") << "playing, frame shown" << "Ctrl+P" << none << "^$" << 0 << "18 10" << "18 10" << 0;
    QTest::newRow("frame shown, Shift+Ctrl+P loops") << "playing, frame shown" << "Shift+Ctrl+P" << none << "^$" << 2 << "*" << "*" << -1;
    QTest::newRow("frame shown, Esc stops") << "playing, frame shown" << "Esc" << none << "^$" << 0 << "18 10" << "18 10" << 0;
    QTest::newRow("frame shown, the network fails: one reason") << "playing, frame shown" << "network fails" << notFound << "^网络不通，已停止播放：代理服务器" << 0 << "18 10" << "*" << 0;

    QTest::newRow("frame fetching, 显示 shows the lists' moment") << "playing, frame fetching" << "显示" << none << "^$" << 0 << "18 10" << "18 10" << -1;
    QTest::newRow("frame fetching, a step from the picture shown replaces it") << "playing, frame fetching" << "step" << none << "^$" << 0 << "18 11" << "18 11" << -1;
    QTest::newRow("frame fetching, Ctrl+P pauses after it") << "playing, frame fetching" << "Ctrl+P" << none << "^$" << 0 << "18 11" << "18 11" << 1;
    QTest::newRow("frame fetching, Esc stops both, lists back") << "playing, frame fetching" << "Esc" << none << "^$" << 0 << "18 10" << "18 10" << 1;

    QTest::newRow("loop, 显示 stops and shows") << "loop" << "显示" << none << "^$" << 0 << "17 11" << "17 11" << -1;
    QTest::newRow("loop, Ctrl+P stops") << "loop" << "Ctrl+P" << none << "^$" << 0 << "17 11" << "17 11" << -1;
    QTest::newRow("loop, Esc stops") << "loop" << "Esc" << none << "^$" << 0 << "17 11" << "17 11" << -1;
    // clang-format on
}

void TestControlFlow::everyInputInEveryState()
{
    QFETCH(QString, state);
    QFETCH(QString, input);
    QFETCH(QString, status);
    QFETCH(QString, reason);
    QFETCH(int, playing);
    QFETCH(QString, shown);
    QFETCH(QString, listed);
    QFETCH(int, asked11);

    QTemporaryDir folder;
    Parts parts(folder.path());
    reach(parts, state);
    if (QTest::currentTestFailed())
        return;
    give(parts, input);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(parts.settled());
    if (playing) {
        QVERIFY(parts.player.isPlaying());
        QCOMPARE(parts.player.isLooping(), playing == 2);
        parts.player.stop();
        QVERIFY(parts.settled());
    } else {
        QVERIFY(!parts.player.isPlaying());
    }
    QCOMPARE(parts.view.status, status);
    QVERIFY2(parts.view.reason.contains(QRegularExpression(reason)), qPrintable(parts.view.reason));
    // A run replaced by a newer one never says "无法找到".
    if (status.isEmpty())
        QVERIFY2(!parts.view.statuses.contains(statusNotFound()),
                 qPrintable(parts.view.statuses.join('|')));
    if (shown != "*")
        QCOMPARE(parts.view.shown.last(), shown);
    if (listed != "*")
        QCOMPARE(parts.view.listed(), listed);
    if (asked11 >= 0)
        QCOMPARE(asked("8071803"), asked11);
    // Whatever was shown last is what temp.jpg holds.
    const QStringList hours = parts.view.shown.last().split(' ');
    const auto request = ToUtcRequest({"8", "07", hours[0].toStdString(), hours[1].toStdString()});
    QVERIFY(request);
    QFile staged(parts.staging.path());
    QVERIFY(staged.open(QIODevice::ReadOnly));
    QCOMPARE(staged.readAll(),
             m_archive.pictureBytes(QString::fromStdString(BuildImageUrl(*request).name)));
}

void TestControlFlow::fetchingAheadNeverAsksTwice_data()
{
    QTest::addColumn<QString>("cache"); // what stands where the pictures are kept
    QTest::addColumn<Script>("script");
    QTest::newRow("the cache folder is a file") << "file" << Script{};
    QTest::newRow("the cache folder is read-only") << "read-only" << Script{};
    QTest::newRow("answers marked no-store") << "folder" << Script{.noStore = true};
    QTest::newRow("pictures the archive lacks") << "folder" << Script{.fault = sample::Fault::NotFound};
}

void TestControlFlow::fetchingAheadNeverAsksTwice()
{
    QFETCH(QString, cache);
    QFETCH(Script, script);
    QTemporaryDir folder;
    const QString pictures = folder.filePath("pictures");
    if (cache == "file") {
        QFile file(pictures);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(pictures));
        if (cache == "read-only")
            QVERIFY(QFile::setPermissions(pictures, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    if (cache == "read-only" && QFileInfo(pictures).isWritable())
        QSKIP("running as a user that writes anywhere");
    m_archive.setScript(script);
    Transfer transfer;
    transfer.useDiskCache(pictures, 64 << 20);
    PicturesAhead ahead(transfer);
    const std::vector<Moment> wanted{{2008, 7, 18, 11}, {2008, 7, 18, 12}, {2008, 7, 18, 13}};
    ahead.want(wanted);
    const int expected = script.fault == sample::Fault::NotFound ? 0 : 3;
    QVERIFY(waitUntil([&] { return transfer.fetchingAhead() == 0 && m_archive.requests().size() >= 3 &&
                                   ahead.decodedCount() == expected; }));
    // A while later, and wanted again: still one request each, the pictures held in memory.
    QTest::qWait(300);
    ahead.want(wanted);
    QTest::qWait(300);
    QCOMPARE(m_archive.requests().size(), 3);
    for (const char *name : {"8071803", "8071804", "8071805"})
        QCOMPARE(asked(name), 1);
    if (script.noStore) {
        QDirIterator kept(pictures, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY2(!kept.hasNext(), "an answer marked no-store was kept on disk");
    }
    QFile::setPermissions(pictures, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
}

void TestControlFlow::aFailedPressLeavesTheFetchesAhead()
{
    QTemporaryDir folder;
    Parts parts(folder.path());
    parts.pick(2008, 7, 18, 10);
    parts.display.run(DisplayCommand::Kind::Press);
    QVERIFY(parts.settled());
    // A step asks for 11:00 and fetches 12:00 ahead, slowly; a press for a missing hour fails
    // meanwhile. The fetch ahead goes on, and the step to 12:00 asks nothing more.
    parts.stepper.step(1);
    QVERIFY(parts.settled());
    m_archive.setScript({.delayMs = 400});
    m_archive.setMissing({"8071702"});
    QVERIFY(waitUntil([&] { return parts.transfer.isFetching(kPrefix + "807180400.jpg"); }));
    parts.pick(2008, 7, 17, 10);
    parts.display.run(DisplayCommand::Kind::Press);
    QVERIFY(parts.settled());
    QCOMPARE(parts.view.status, statusNotFound());
    QVERIFY(waitUntil([&] { return !parts.transfer.isFetching(kPrefix + "807180400.jpg"); }));
    parts.pick(2008, 7, 18, 11);
    parts.stepper.step(1);
    QVERIFY(parts.settled());
    QCOMPARE(parts.view.shown.last(), "18 12");
    QCOMPARE(asked("8071804"), 1);
}

void TestControlFlow::aLoopOfOneHourIsNoLoop()
{
    // The first moment of the lists has no hours before it: it is shown once, not looped.
    QTemporaryDir folder;
    Parts parts(folder.path());
    parts.pick(2006, 1, 1, 0);
    parts.player.playLoop();
    QVERIFY(!parts.player.isPlaying());
    QVERIFY(parts.settled());
    QCOMPARE(parts.view.shown, QStringList{"01 00"});
    QTest::qWait(300);
    QCOMPARE(m_archive.requests().size(), 1);
}

void TestControlFlow::aLoopKeepsItsHours_data()
{
    // A loop of the 6 hours that ends at 18 10 plays a while and is paused; then `then`, and
    // Shift+Ctrl+P again. `hours` are the first and last hour of the loop that plays then.
    QTest::addColumn<QString>("then");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("started again: the same hours") << "nothing" << "18 05" << "18 10";
    QTest::newRow("a step while paused: the same hours") << "a step back" << "18 05" << "18 10";
    QTest::newRow("an hour chosen inside it: the same hours") << "18 07 chosen" << "18 05" << "18 10";
    QTest::newRow("another span: a new loop ending where it did") << "12 hours" << "17 23" << "18 10";
    QTest::newRow("a moment picked anew: a loop ending there") << "forgotten at 18 07" << "18 02" << "18 07";
}

void TestControlFlow::aLoopKeepsItsHours()
{
    QFETCH(QString, then);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QTemporaryDir folder;
    Parts parts(folder.path());
    parts.player.setLoopHours(6);
    parts.player.setSpeed(Player::kFastest);
    parts.pick(2008, 7, 18, 10);
    parts.player.playLoop();
    QVERIFY(waitUntil([&] { return parts.view.shown.size() >= 3; }));
    parts.player.stop();
    QVERIFY(parts.settled());
    if (then == "a step back") {
        parts.pick(2008, 7, 18, 9);
        parts.stepper.step(-1);
        QVERIFY(parts.settled());
    } else if (then == "18 07 chosen") {
        parts.pick(2008, 7, 18, 7);
        parts.display.run(DisplayCommand::Kind::Step);
        QVERIFY(parts.settled());
    } else if (then == "12 hours") {
        parts.player.setLoopHours(12);
    } else if (then == "forgotten at 18 07") {
        parts.pick(2008, 7, 18, 7);
        parts.player.forgetLoop();
    }
    const auto named = [](const std::vector<Moment> &hours) {
        return hours.empty() ? QStringList()
                             : QStringList{FakeView::dayHour(hours.front()), FakeView::dayHour(hours.back())};
    };
    // Paused, the strip and the export see the loop that will play.
    QCOMPARE(named(parts.player.span()), (QStringList{first, last}));
    parts.player.playLoop();
    QVERIFY(parts.player.isLooping());
    QCOMPARE(named(parts.player.span()), (QStringList{first, last}));
    QCOMPARE(named(parts.player.loop()), (QStringList{first, last}));
    parts.player.stop();
    QVERIFY(parts.settled());
}

void TestControlFlow::aRunThatEndsAtOnceEndsFromTheEventLoop_data()
{
    QTest::addColumn<QString>("hour");   // the hour list's text
    QTest::addColumn<QString>("status"); // the status line once it ended
    QTest::newRow("an hour with nothing to fetch") << "24" << statusWorking();
    QTest::newRow("an hour that is no number") << "ab" << statusNotFound();
}

void TestControlFlow::aRunThatEndsAtOnceEndsFromTheEventLoop()
{
    // Whoever starts a run and then listens hears its end, however soon it comes.
    QFETCH(QString, hour);
    QFETCH(QString, status);
    QTemporaryDir folder;
    Parts parts(folder.path());
    parts.pick(2008, 7, 18, 10);
    parts.view.lists[3].addItem(hour);
    parts.view.lists[3].setCurrentIndex(parts.view.lists[3].count() - 1);
    parts.display.run(DisplayCommand::Kind::Press);
    QSignalSpy finished(&parts.display, &DisplayCommand::finished);
    QCOMPARE(parts.view.status, statusWorking());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(parts.view.status, status);
    QVERIFY(!parts.display.isRunning());
    QVERIFY(m_archive.requests().isEmpty());
}

void TestControlFlow::partsGoBeforeWhatTheyReferTo()
{
    // Destroyed while a frame downloads and pictures are fetched ahead: nothing refers to what
    // is already gone (the sanitizer build would say).
    QTemporaryDir folder;
    {
        Parts parts(folder.path());
        parts.pick(2008, 7, 18, 10);
        m_archive.setScript({.delayMs = 300});
        parts.player.setSpeed(Player::kFastest);
        parts.player.play();
        QVERIFY(waitUntil([&] { return parts.display.isDownloading(); }));
    }
    QTest::qWait(400); // whatever was under way has had the time to come back
}

QTEST_MAIN(TestControlFlow)
#include "tst_controlflow.moc"
