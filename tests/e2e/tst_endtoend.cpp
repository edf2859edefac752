// Veltaro as a person uses it: the built executable in Xvfb, the sample archive as a separate
// program behind http_proxy, the lists picked and the buttons pressed with xdotool, and what the
// screen shows read back from a screenshot. VELTARO_SCREENSHOT=FILE also saves the screen with
// the picture shown (scripts/screenshot).
#include "cloudpicture.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtMath>
#include <QTest>

#include "filecontents.h"

#include <unistd.h>

namespace {

// Where the controls are on a 1024 × 768 screen at 96 DPI (15 twips a pixel): the bottom row's
// top is 9826 twips, 655 pixels.
constexpr int kRowY = 665;
constexpr int kYearX = 92;
constexpr int kMonthX = 176;
constexpr int kDayX = 256;
constexpr int kHourX = 344;
constexpr QPoint kShowButton{436, 667};
constexpr QPoint kExitButton{608, 667};
const QRect kStatusLine{472, 655, 73, 17};
// The image's top-left pixel: the viewport at (20, 13), two 2-pixel borders inside it.
constexpr QPoint kImageOrigin{24, 17};

// Mean difference per channel between the picture and the screen, over a grid of points of the
// viewport (by default the one of a 1024 × 768 screen at 100 %).
double difference(const QImage &screen, const QImage &picture, QPoint origin,
                  QRect viewport = QRect(20, 13, 984, 614))
{
    const QRect visible = QRect(origin, picture.size()) & viewport;
    double total = 0;
    int points = 0;
    for (int y = visible.top() + 4; y < visible.bottom() - 4; y += 23) {
        for (int x = visible.left() + 4; x < visible.right() - 4; x += 23) {
            const QRgb a = screen.pixel(x, y);
            const QRgb b = picture.pixel(x - origin.x(), y - origin.y());
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
            points += 3;
        }
    }
    return points ? total / points : 1e9;
}

// How wide the status line's ink is: 0 for the empty text, otherwise the width of the text's
// glyphs, which tells "稍侯〉〉〉" (five) from "无法找到" (four).
int inkWidth(const QImage &screen, QRect area)
{
    int left = area.right() + 1;
    int right = area.left() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(screen.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return std::max(0, right - left + 1);
}

// The ink width a status text has in the default font, which the program also uses.
int expectedInkWidth(const char16_t *text)
{
    const QString status = QString::fromUtf16(text);
    return status.isEmpty()
               ? 0
               : QFontMetrics(QGuiApplication::font()).tightBoundingRect(status).width();
}

// A copy of the built program, runnable, at `path`.
bool copyProgram(const QString &path)
{
    return QFile::copy(VELTARO_EXECUTABLE, path) &&
           QFile::setPermissions(path, QFile::permissions(VELTARO_EXECUTABLE));
}

bool showsStatus(const QImage &screen, const char16_t *text)
{
    return std::abs(inkWidth(screen, kStatusLine) - expectedInkWidth(text)) <= 3;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showFailAndExit();
    void installedForANormalUser();
    void keyboardOnlyOnADoubledScreen();
    void loopTwiceOverAMissingHour();
    void statusHeardByAScreenReader_data();
    void statusHeardByAScreenReader();
    void withoutADisplay_data();
    void withoutADisplay();

private:
    void startVeltaro(const QStringList &command, const QStringList &environment = {},
                      QPoint showButton = kShowButton);
    void showAndExit(const QString &staged);
    void pickMomentAndShow();
    void clickAt(QPoint point);
    QString run(const QStringList &command);
    void xdotool(const QStringList &arguments);
    int visibleWindows();
    void pick(int x, const QString &text);
    QImage screenshot();
    QStringList requests();

    QProcess m_xvfb;
    QProcess m_archive;
    QProcess m_veltaro;
    QTemporaryDir m_config;
    QString m_display;
    QString m_archiveLog;
    QString m_proxy;
    QTemporaryDir m_dir;
};

QString TestEndToEnd::run(const QStringList &command)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    process.setProcessEnvironment(env);
    process.start(command.first(), command.mid(1));
    process.waitForFinished(20000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void TestEndToEnd::xdotool(const QStringList &arguments)
{
    run(QStringList{"xdotool"} + arguments);
}

int TestEndToEnd::visibleWindows()
{
    return run({"xdotool", "search", "--onlyvisible", "--class", "Veltaro"})
        .split('\n', Qt::SkipEmptyParts)
        .size();
}

void TestEndToEnd::pick(int x, const QString &text)
{
    // Open the list (its popup is a window of its own), type the item's text, take it.
    clickAt({x, kRowY});
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(), 2, 10000);
    xdotool({"type", "--delay", "50", text});
    xdotool({"key", "Return"});
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(), 1, 10000);
}

QImage TestEndToEnd::screenshot()
{
    QProcess import;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    import.setProcessEnvironment(env);
    import.start("import", {"-window", "root", "png:-"});
    import.waitForFinished(20000);
    return QImage::fromData(import.readAllStandardOutput(), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

QStringList TestEndToEnd::requests()
{
    m_archive.waitForReadyRead(50);
    m_archiveLog += QString::fromLocal8Bit(m_archive.readAllStandardOutput());
    QStringList found;
    for (const QString &line : m_archiveLog.split('\n'))
        if (line.startsWith("request "))
            found << line.mid(8);
    return found;
}

void TestEndToEnd::initTestCase()
{
    for (const char *tool : {"Xvfb", "xdotool", "import"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing: scripts/test installs it").arg(tool)));

    // Xvfb picks a free display and writes its number on standard output.
    // No reset when the last client leaves: the next program must find the server up.
    m_xvfb.start(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    QVERIFY(m_xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine() || m_xvfb.waitForReadyRead(100), 20000);
    m_display = ":" + QString::fromLatin1(m_xvfb.readLine()).trimmed();

    m_archive.start(VELTARO_ARCHIVE, {"--missing", "8071803"});
    QVERIFY(m_archive.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT((m_archive.waitForReadyRead(100),
                              m_archiveLog += m_archive.readAllStandardOutput(),
                              m_archiveLog.contains("listening on")),
                             20000);
    const QString address =
        QRegularExpression("listening on (\\S+)").match(m_archiveLog).captured(1);

    m_proxy = "http://" + address;
}

void TestEndToEnd::startVeltaro(const QStringList &command, const QStringList &environment,
                                QPoint showButton)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("http_proxy", m_proxy);
    env.remove("no_proxy");
    env.remove("NO_PROXY");
    // Settings of the test's own: an enhancement the user chose would change every picture.
    env.insert("XDG_CONFIG_HOME", m_config.path());
    env.insert("XDG_DATA_HOME", m_config.filePath("data"));
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    m_veltaro.setProcessEnvironment(env);
    m_veltaro.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_veltaro.start(command.first(), command.mid(1));
    QVERIFY(m_veltaro.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_veltaro.state() != QProcess::Running || visibleWindows() == 1,
                             20000);
    QVERIFY2(m_veltaro.state() == QProcess::Running, "Veltaro ended before its window appeared");
    // The window is up once the status line's neighbours are painted: the button "显示".
    QTRY_VERIFY_WITH_TIMEOUT(
        inkWidth(screenshot(), QRect(showButton - QPoint(10, 5), QSize(20, 10))) > 0, 20000);
}

void TestEndToEnd::showAndExit(const QString &staged)
{
    const QByteArray served = veltaro::sample::cloudJpeg("8071802");
    const QImage picture = QImage::fromData(served, "JPEG").convertToFormat(QImage::Format_RGB32);
    pickMomentAndShow();
    QTRY_COMPARE_WITH_TIMEOUT(fileContents(staged), served, 20000);
    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), difference(screen, picture, kImageOrigin) < 4),
                             10000);
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), showsStatus(screen, u"")), 10000);
    clickAt(kExitButton);
    QVERIFY(m_veltaro.waitForFinished(10000));
    QCOMPARE(m_veltaro.exitCode(), 0);
}

void TestEndToEnd::pickMomentAndShow()
{
    pick(kYearX, "8");
    pick(kMonthX, "07");
    pick(kDayX, "18");
    pick(kHourX, "10");
    clickAt(kShowButton);
}

void TestEndToEnd::clickAt(QPoint point)
{
    xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"});
}

void TestEndToEnd::cleanupTestCase()
{
    for (QProcess *process : {&m_veltaro, &m_archive, &m_xvfb}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

void TestEndToEnd::showFailAndExit()
{
    // A copy of the program in a folder of its own, so its temp.jpg lands there.
    const QString program = m_dir.filePath("Veltaro");
    QVERIFY(copyProgram(program));
    startVeltaro({program});

    const QString staged = m_dir.filePath("temp.jpg");
    const QByteArray served = veltaro::sample::cloudJpeg("8071802");
    const QImage picture = QImage::fromData(served, "JPEG").convertToFormat(QImage::Format_RGB32);

    pickMomentAndShow();

    QTRY_COMPARE_WITH_TIMEOUT(fileContents(staged).size(), served.size(), 20000);
    QCOMPARE(fileContents(staged), served);
    QCOMPARE(requests(),
             QStringList{"http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180200.jpg"});

    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), difference(screen, picture, kImageOrigin) < 4),
                             10000);
    // The comparison tells pictures apart: a few pixels off, it no longer matches.
    QVERIFY(difference(screen, picture, kImageOrigin + QPoint(6, 6)) > 10);
    // The status texts can be told apart on the screen.
    QVERIFY(std::abs(expectedInkWidth(u"稍侯〉〉〉") - expectedInkWidth(u"无法找到")) > 6);
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), showsStatus(screen, u"")), 10000);
    if (const QByteArray path = qgetenv("VELTARO_SCREENSHOT"); !path.isEmpty())
        QVERIFY(screen.save(QString::fromLocal8Bit(path)));

    // Ctrl+0 shows the whole picture inside the viewport (976 × 606 pixels inside the image
    // box's frame), Ctrl+1 one image pixel per screen pixel again, around the viewport's centre;
    // Home and Shift+Home on the viewport go back to the top-left corner.
    xdotool({"key", "ctrl+0"});
    const double fit = std::min(976.0 / picture.width(), 606.0 / picture.height());
    const QImage fitted = picture.scaled(qCeil(picture.width() * fit), qCeil(picture.height() * fit),
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Fitted, the picture stands in the middle of the viewport, give or take a pixel's rounding.
    const QPoint centred = kImageOrigin + QPoint((976 - fitted.width()) / 2, (606 - fitted.height()) / 2);
    const auto fittedDifference = [&](const QImage &shot) {
        double least = 255;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                least = std::min(least, difference(shot, fitted, centred + QPoint(dx, dy)));
        return least;
    };
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), fittedDifference(screen) < 12), 10000);
    QVERIFY(difference(screen, picture, kImageOrigin) > 12);
    xdotool({"key", "ctrl+1"});
    clickAt(kImageOrigin + QPoint(100, 100));
    xdotool({"key", "Home", "shift+Home"});
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), difference(screen, picture, kImageOrigin) < 4),
                             10000);

    // The archive has no image for 11 o'clock: "无法找到", and the picture stays.
    pick(kHourX, "11");
    clickAt(kShowButton);
    QTRY_COMPARE_WITH_TIMEOUT(requests().size(), 2, 20000);
    QCOMPARE(requests().last(),
             "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180300.jpg");
    QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(), showsStatus(screen, u"无法找到")), 10000);
    QVERIFY(difference(screen, picture, kImageOrigin) < 4);
    QCOMPARE(fileContents(staged), served);

    clickAt(kExitButton);
    // A generous bound that only guards against a program that never ends.
    QVERIFY(m_veltaro.waitForFinished(10000));
    QCOMPARE(m_veltaro.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_veltaro.exitCode(), 0);
}

void TestEndToEnd::installedForANormalUser()
{
    if (::geteuid() != 0)
        QSKIP("installing into a root-owned folder and becoming another user need root");

    // Installed as a package would: a root-owned prefix that everyone may read.
    QTemporaryDir root;
    QVERIFY(QFile::setPermissions(
        root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                         QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    const QString prefix = root.filePath("usr");
    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedChannels);
    install.start("cmake", {"--install", VELTARO_BUILD_DIR, "--prefix", prefix});
    QVERIFY(install.waitForFinished(60000));
    QCOMPARE(install.exitCode(), 0);
    const auto installedFiles = [&] {
        QStringList files;
        QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        return files;
    };
    const QStringList before = installedFiles();
    QVERIFY(before.contains(prefix + "/bin/Veltaro"));

    // The user's own home, where only that user may write.
    QTemporaryDir home;
    QCOMPARE(QProcess::execute("chown", {"nobody:nogroup", home.path()}), 0);
    const QString cache = home.filePath(".cache");

    startVeltaro(
        {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", prefix + "/bin/Veltaro"},
        {"HOME=" + home.path(), "XDG_CACHE_HOME=" + cache,
         // The leak check's suppressions lie where that user may not read.
         "ASAN_OPTIONS=detect_leaks=0"});
    showAndExit(cache + "/Veltaro/temp.jpg");
    QCOMPARE(installedFiles(), before);
}

void TestEndToEnd::loopTwiceOverAMissingHour()
{
    // An archive without 09:00 Beijing time on 2008-07-18 (01:00 UTC).
    QProcess archive;
    archive.start(VELTARO_ARCHIVE, {"--missing", "8071801"});
    QVERIFY(archive.waitForStarted());
    QString log;
    QTRY_VERIFY_WITH_TIMEOUT((archive.waitForReadyRead(100), log += archive.readAllStandardOutput(),
                              log.contains("listening on")),
                             20000);
    const auto stopArchive = qScopeGuard([&] {
        archive.kill();
        archive.waitForFinished();
    });
    const auto askedFor = [&](const QString &name) {
        archive.waitForReadyRead(50);
        log += archive.readAllStandardOutput();
        return log.count("/NL/" + name + "00.jpg");
    };
    const QString proxy = m_proxy;
    m_proxy = "http://" + QRegularExpression("listening on (\\S+)").match(log).captured(1);
    const auto restoreProxy = qScopeGuard([&] { m_proxy = proxy; });
    QTemporaryDir cache;
    startVeltaro({VELTARO_EXECUTABLE}, {"XDG_CACHE_HOME=" + cache.path()});
    pickMomentAndShow();
    QTRY_VERIFY_WITH_TIMEOUT(showsStatus(screenshot(), u""), 20000);

    // The last day, ten pictures a second, over and over: the missing hour is asked for once a
    // loop and passed over, never "无法找到".
    xdotool({"key", "ctrl+bracketright", "ctrl+bracketright", "ctrl+bracketright",
             "ctrl+bracketright", "ctrl+bracketright", "ctrl+bracketright", "ctrl+shift+p"});
    QTRY_VERIFY_WITH_TIMEOUT(askedFor("8071801") >= 1, 60000);
    const int firstLoop = askedFor("8071710"); // 18:00 on the 17th
    QVERIFY(firstLoop >= 1);
    QTRY_VERIFY_WITH_TIMEOUT(askedFor("8071801") >= 2, 60000);
    const QImage looping = screenshot();
    QVERIFY(showsStatus(looping, u""));
    // The panel while the loop plays: the moment shown stands right of "退出".
    QVERIFY(inkWidth(looping, QRect(kExitButton + QPoint(40, -12), QSize(300, 24))) > 150);
    if (const QByteArray path = qgetenv("VELTARO_PANEL_SCREENSHOT"); !path.isEmpty())
        QVERIFY(looping.save(QString::fromLocal8Bit(path)));
    QCOMPARE(askedFor("8071710"), firstLoop); // kept: the second loop asks nothing for it

    // Esc stops it: the picture on the screen is temp.jpg's, and stays.
    xdotool({"key", "Escape"});
    const QString staged = QFileInfo(VELTARO_EXECUTABLE).dir().filePath("temp.jpg");
    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT(
        (screen = screenshot(),
         difference(screen, QImage::fromData(fileContents(staged)).convertToFormat(QImage::Format_RGB32),
                    kImageOrigin) < 4),
        10000);
    QVERIFY(showsStatus(screen, u""));
    clickAt(kExitButton);
    QVERIFY(m_veltaro.waitForFinished(10000));
}

void TestEndToEnd::statusHeardByAScreenReader_data()
{
    QTest::addColumn<QString>("language"); // LANGUAGE, the desktop's languages
    QTest::addColumn<QString>("heard");    // the status line and its description
    QTest::addColumn<QPoint>("showButton"); // the English panel takes a line more: the rows move up
    QTest::newRow("in Chinese") << QString() << QString::fromUtf16(u"无法找到\t服务器上没有这幅图像（HTTP 404）")
                                << kShowButton;
    QTest::newRow("in English") << "en" << "Not found\tThe server does not have this picture (HTTP 404)"
                                << QPoint(436, 644);
}

void TestEndToEnd::statusHeardByAScreenReader()
{
    QFETCH(QString, language);
    QFETCH(QString, heard);
    QFETCH(QPoint, showButton);
    const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
    for (const QString &tool : {QStringLiteral("dbus-daemon"), launcher, QStringLiteral("/usr/bin/python3")})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty() || QFileInfo(tool).isExecutable(),
                 qPrintable(tool + " is missing: scripts/test installs it"));
    // A session bus of the test's own, the accessibility bus on it, and a reader listening.
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY(bus.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine() || bus.waitForReadyRead(100), 20000);
    const QString address = QString::fromLatin1(bus.readLine()).trimmed();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    env.insert("DISPLAY", m_display);
    QProcess accessibilityBus;
    accessibilityBus.setProcessEnvironment(env);
    accessibilityBus.start(launcher, {"--launch-immediately"});
    QProcess reader;
    reader.setProcessEnvironment(env);
    const auto stop = qScopeGuard([&] {
        for (QProcess *process : {&reader, &accessibilityBus, &bus}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
        }
    });
    QString printed;
    // What the reader has printed so far; the event loop, which QTRY runs, reads it in.
    const auto listen = [&] {
        printed += QString::fromUtf8(reader.readAllStandardOutput());
        return printed;
    };
    // The accessibility bus registers itself a moment after it starts: a reader started sooner
    // ends at once, and is started again. The 20 s only guard against a bus that never comes.
    QElapsedTimer waited;
    waited.start();
    while (!printed.contains("ready") && waited.elapsed() < 20000) {
        if (reader.state() == QProcess::NotRunning) {
            printed.clear();
            reader.start("/usr/bin/python3", {VELTARO_SOURCE_DIR "/tests/e2e/screenreader.py", "Veltaro"});
            QVERIFY(reader.waitForStarted());
        }
        reader.waitForReadyRead(100);
        listen();
    }
    QVERIFY2(printed.contains("ready"), reader.readAllStandardError().constData());

    QTemporaryDir folder;
    const QString program = folder.filePath("Veltaro");
    QVERIFY(copyProgram(program));
    startVeltaro({program, "2008-07-18T10"}, {"DBUS_SESSION_BUS_ADDRESS=" + address, "LANGUAGE=" + language},
                 showButton);
    // 11:00 is missing from the archive: a step to it, and the reader hears "无法找到" and why,
    // in the desktop's language.
    clickAt({150, 10}); // on the note: the window takes the keyboard
    xdotool({"key", "ctrl+Right"});
    const QString failed = QStringLiteral("object:property-change:accessible-name\tlabel\t") + heard;
    QTRY_VERIFY2_WITH_TIMEOUT(listen().contains(failed), qPrintable(printed), 10000);
    xdotool({"key", "ctrl+q"});
    QVERIFY(m_veltaro.waitForFinished(10000));
}

void TestEndToEnd::withoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM
    QTest::newRow("X11 without DISPLAY") << QStringList{} << "xcb";
    // Qt's own option reaches Qt: it overrides the environment's platform.
    QTest::newRow("-platform xcb") << QStringList{"-platform", "xcb"} << "offscreen";
    QTest::newRow("--lang en") << QStringList{"--lang", "en"} << "xcb";
}

void TestEndToEnd::withoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QProcess veltaro;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", platform);
    veltaro.setProcessEnvironment(env);
    veltaro.start(VELTARO_EXECUTABLE, arguments);
    QVERIFY(veltaro.waitForFinished(20000));
    QCOMPARE(veltaro.exitStatus(), QProcess::NormalExit);
    QCOMPARE(veltaro.exitCode(), 1);
    const QStringList said = QString::fromLocal8Bit(veltaro.readAllStandardError())
                                 .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(said.size(), 1);
    const bool english = arguments.contains("en");
    QVERIFY2(said.first().contains(english ? QStringLiteral("cannot open the display") : QString::fromUtf16(u"无法打开显示")),
             qPrintable(said.first()));
}

void TestEndToEnd::keyboardOnlyOnADoubledScreen()
{
    // An archive of one-pixel checkerboards: any image pixel shown twice shows at once.
    QProcess boards;
    boards.start(VELTARO_ARCHIVE, {"--checkerboard", "--size", "1100x800"});
    QVERIFY(boards.waitForStarted());
    QString log;
    QTRY_VERIFY_WITH_TIMEOUT((boards.waitForReadyRead(100), log += boards.readAllStandardOutput(),
                              log.contains("listening on")),
                             20000);
    const auto stopBoards = qScopeGuard([&] {
        boards.kill();
        boards.waitForFinished();
    });

    QTemporaryDir folder;
    const QString program = folder.filePath("Veltaro");
    QVERIFY(copyProgram(program));
    const QString proxy = m_proxy;
    m_proxy = "http://" + QRegularExpression("listening on (\\S+)").match(log).captured(1);
    const auto restoreProxy = qScopeGuard([&] { m_proxy = proxy; });
    // At twice the scale the screen is 512 × 384 logical pixels; 显示 lies at (873, 721).
    startVeltaro({program}, {"QT_SCALE_FACTOR=2"}, {873, 721});

    // Everything from the keyboard: the focus starts on the viewport, five tabs reach the year
    // list, typing picks an item, Shift+Tab goes back to 显示, Return presses it.
    clickAt({150, 10}); // on the note: the window takes the keyboard, the focus stays put
    xdotool({"key", "Tab", "Tab", "Tab", "Tab", "Tab"});
    for (const char *text : {"8", "07", "18", "10"})
        xdotool({"type", "--delay", "50", text}), xdotool({"key", "Tab"});
    xdotool({"key", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Return"});

    const QString staged = folder.filePath("temp.jpg");
    const QByteArray served = veltaro::sample::checkerboardJpeg({1100, 800});
    QTRY_COMPARE_WITH_TIMEOUT(fileContents(staged), served, 20000);
    const QImage picture = QImage::fromData(served, "JPEG").convertToFormat(QImage::Format_RGB32);

    // At twice the scale the viewport starts at (40, 26) device pixels, inside two frames of
    // 4 device pixels each; one image pixel is one device pixel.
    const QPoint origin(48, 34);
    const QRect viewport(44, 30, 936, 606);
    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT(
        (screen = screenshot(), difference(screen, picture, origin, viewport) < 4), 10000);
    // The comparison can fail: one pixel off, black meets white.
    QVERIFY(difference(screen, picture, origin + QPoint(1, 0), viewport) > 100);

    xdotool({"key", "ctrl+q"});
    QVERIFY(m_veltaro.waitForFinished(10000));
    QCOMPARE(m_veltaro.exitCode(), 0);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
