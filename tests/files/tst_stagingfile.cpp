#include "files/stagingfile.h"
#include "files/savedfile.h"
#include "failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "filecontents.h"

using namespace veltaro;

class TestStagingFile : public QObject
{
    Q_OBJECT

private slots:
    void holdsExactlyTheLastBody_data();
    void holdsExactlyTheLastBody();
    void nothingElseIsLeftBehind();
    void unwritableFolder_data();
    void unwritableFolder();
    void linkIsReplacedNotWrittenThrough_data();
    void linkIsReplacedNotWrittenThrough();
    void refusedWithATrueReason_data();
    void refusedWithATrueReason();
    void folderFor_data();
    void folderFor();
    void installedCopyUsesTheCache();
    void cacheFolder_data();
    void cacheFolder();
    void noFolderIsNeverTheWorkingDirectory();
    void wholeAtEveryMoment();
    void keptFileFailsInChinese_data();
    void keptFileFailsInChinese();
    void saveDialogFolder_data();
    void saveDialogFolder();
    void theNewestCommitWins_data();
    void theNewestCommitWins();
    void leftoversOfAKilledSave_data();
    void leftoversOfAKilledSave();
};

void TestStagingFile::holdsExactlyTheLastBody_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("smaller after larger") << QByteArray(5000, 'a') << QByteArray(100, 'b');
    QTest::newRow("larger after smaller") << QByteArray(100, 'a') << QByteArray(5000, 'b');
    QTest::newRow("binary bytes") << QByteArray("\xFF\xD8\x00\x01\xFF\xD9", 6)
                                  << QByteArray("\x00\x00\r\n\x1A", 5);
}

void TestStagingFile::holdsExactlyTheLastBody()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QTemporaryDir dir;
    const StagingFile staging(dir.path());
    QCOMPARE(staging.path(), QDir(dir.path()).filePath("temp.jpg"));

    staging.write(first);
    QCOMPARE(fileContents(staging.path()), first);
    staging.write(second);
    QCOMPARE(fileContents(staging.path()), second);
}

void TestStagingFile::nothingElseIsLeftBehind()
{
    QTemporaryDir dir;
    const StagingFile staging(dir.path());
    staging.write("one");
    staging.write("two");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"temp.jpg"});

    // What a killed process left under a hidden name is removed once it is a minute old; a
    // younger one may be another write's, and a file of another name is not ours.
    const auto leave = [&](const char *name, int secondsOld) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("left");
        file.flush(); // before the time is set, not after
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsOld),
                                 QFileDevice::FileModificationTime));
    };
    leave(".temp.jpg-stale", 120);
    leave(".temp.jpg-fresh", 5);
    leave(".other-stale", 120);
    staging.write("three");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{".other-stale", ".temp.jpg-fresh", "temp.jpg"}));
}

void TestStagingFile::unwritableFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("missing folder") << "missing/deeper";
    QTest::newRow("folder is a file") << "plain-file";
}

void TestStagingFile::unwritableFolder()
{
    QFETCH(QString, folder);
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain-file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    const StagingFile staging(dir.filePath(folder));
    try {
        staging.write("body");
        QFAIL("no failure raised");
    } catch (const FileFailure &failure) {
        QVERIFY2(QString::fromUtf8(failure.what()).contains("temp.jpg"), failure.what());
    }
}

void TestStagingFile::linkIsReplacedNotWrittenThrough_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("link to a file the user may write") << true;
    QTest::newRow("dangling link") << false;
}

void TestStagingFile::linkIsReplacedNotWrittenThrough()
{
    QFETCH(bool, targetExists);
    QTemporaryDir dir;
    const QString target = dir.filePath("precious.txt");
    if (targetExists)
        QVERIFY(writeFile(target, "the user's own words"));
    QVERIFY(QFile::link(target, dir.filePath("temp.jpg")));

    const StagingFile staging(dir.path());
    staging.write("body");
    QVERIFY2(!QFileInfo(staging.path()).isSymLink(), "the name is a plain file now");
    QCOMPARE(fileContents(staging.path()), QByteArray("body"));
    QCOMPARE(QFile::exists(target), targetExists);
    if (targetExists)
        QCOMPARE(fileContents(target), QByteArray("the user's own words"));
}

void TestStagingFile::refusedWithATrueReason_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder named temp.jpg") << "folder" << "同名的是一个文件夹";
    QTest::newRow("links that loop") << "loop" << "符号链接层数过多或成环";
    QTest::newRow("over the file-size limit") << "limit" << "文件超过系统允许的大小";
}

void TestStagingFile::refusedWithATrueReason()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString folder = dir.path();
    rlimit previous{};
    if (obstacle == "folder") {
        QVERIFY(QDir(dir.path()).mkdir("temp.jpg"));
        QVERIFY(writeFile(dir.filePath("temp.jpg/inside"), "kept"));
    } else if (obstacle == "loop") {
        QVERIFY(QFile::link(dir.filePath("loop"), dir.filePath("loop")));
        folder = dir.filePath("loop");
    } else {
        // As the program does at start-up: past the limit a write fails instead of a signal.
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit limited = previous;
        limited.rlim_cur = 16 * 1024;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    const auto restore = qScopeGuard([&] {
        if (obstacle == "limit")
            ::setrlimit(RLIMIT_FSIZE, &previous);
    });

    try {
        StagingFile(folder).write(QByteArray(64 * 1024, 'x'));
        QFAIL("no failure raised");
    } catch (const FileFailure &failure) {
        const QString text = QString::fromUtf8(failure.what());
        QVERIFY2(text.contains(reason), failure.what());
        // The system's own English never shows: only the path is in Latin letters.
        QVERIFY2(!text.section(QStringLiteral("："), 1).contains(QRegularExpression("[A-Za-z]")),
                 failure.what());
    }
    if (obstacle == "folder") {
        QCOMPARE(fileContents(dir.filePath("temp.jpg/inside")), QByteArray("kept"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"temp.jpg"});
    }
}

void TestStagingFile::folderFor_data()
{
    QTest::addColumn<QByteArray>("name"); // the executable folder's name, as bytes on disk
    QTest::addColumn<bool>("made");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("staysThere");
    // clang-format off
    QTest::newRow("a folder the program may write to") << QByteArray("bin") << true << false << true;
    QTest::newRow("a read-only folder") << QByteArray("bin") << true << true << false;
    QTest::newRow("a folder that is not there") << QByteArray("gone") << false << false << false;
    // GBK bytes: not UTF-8, so the name the program gets for the folder is not the folder's.
    QTest::newRow("a folder that cannot be named") << QByteArray("\xD4\xC6\xCD\xBC") << true << false << false;
    // clang-format on
}

void TestStagingFile::folderFor()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, made);
    QFETCH(bool, readOnly);
    QFETCH(bool, staysThere);
    QTemporaryDir dir;
    const QByteArray bytes = QFile::encodeName(dir.path()) + '/' + name;
    if (made)
        QCOMPARE(::mkdir(bytes.constData(), 0755), 0);
    const QString folder = QFile::decodeName(bytes);
    bool mounted = false;
    if (readOnly) {
        // Permission bits do not stop root; a read-only file system stops everyone.
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro,size=16k", "tmpfs", folder}) == 0;
        if (!mounted && ::geteuid() == 0)
            QSKIP("no read-only folder can be made here");
        if (!mounted)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            QProcess::execute("umount", {folder});
    });

    qputenv("XDG_CACHE_HOME", dir.filePath("cache").toLocal8Bit());
    const QString chosen = StagingFile::folderFor(folder);
    if (staysThere) {
        QCOMPARE(chosen, folder);
        return;
    }
    QCOMPARE(chosen, QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    QVERIFY2(chosen.startsWith(dir.filePath("cache")), qPrintable(chosen));
    QVERIFY2(QFileInfo(chosen).isDir(), "the cache folder is made where it is missing");
    StagingFile(chosen).write("body");
    QCOMPARE(fileContents(QDir(chosen).filePath("temp.jpg")), QByteArray("body"));
}

void TestStagingFile::installedCopyUsesTheCache()
{
    // Even where the program may write (root may write anywhere), the system's folder of
    // programs never gets temp.jpg.
    QTemporaryDir dir;
    qputenv("XDG_CACHE_HOME", dir.filePath("cache").toLocal8Bit());
    QCOMPARE(StagingFile::folderFor("/usr/bin"), StagingFile::cacheFolder());
    QVERIFY(StagingFile::cacheFolder().startsWith(dir.filePath("cache")));
}

void TestStagingFile::cacheFolder_data()
{
    QTest::addColumn<QByteArray>("xdgCacheHome"); // "<dir>" stands for the temporary folder
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("expected");        // under the temporary folder; empty for none
    QTest::addColumn<QString>("whyNone");
    const QString app = QCoreApplication::applicationName();
    QTest::newRow("XDG_CACHE_HOME") << QByteArray("<dir>/xdg") << QByteArray("<dir>/home") << "xdg/" + app << "";
    QTest::newRow("unset: the home folder's .cache") << QByteArray() << QByteArray("<dir>/home") << "home/.cache/" + app << "";
    QTest::newRow("relative: ignored") << QByteArray("relcache") << QByteArray("<dir>/home") << "home/.cache/" + app << "";
    QTest::newRow("no home folder") << QByteArray() << QByteArray() << "" << "HOME 未设置";
}

void TestStagingFile::cacheFolder()
{
    QFETCH(QByteArray, xdgCacheHome);
    QFETCH(QByteArray, home);
    QFETCH(QString, expected);
    QFETCH(QString, whyNone);
    QTemporaryDir dir;
    const QString previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QByteArray previousHome = qgetenv("HOME");
    const auto restore = qScopeGuard([&] {
        QDir::setCurrent(previousDir);
        qputenv("HOME", previousHome);
    });
    const auto set = [&](const char *name, QByteArray value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.replace("<dir>", QFile::encodeName(dir.path())));
    };
    set("XDG_CACHE_HOME", xdgCacheHome);
    set("HOME", home);

    QString reason;
    const QString chosen = StagingFile::cacheFolder(&reason);
    if (expected.isEmpty()) {
        QCOMPARE(chosen, QString());
        QVERIFY2(reason.contains(whyNone), qPrintable(reason));
        try {
            StagingFile(chosen, reason).write("body");
            QFAIL("no failure raised");
        } catch (const FileFailure &failure) {
            QVERIFY2(QString::fromUtf8(failure.what()).contains(whyNone), failure.what());
        }
    } else {
        QCOMPARE(chosen, dir.filePath(expected));
        QVERIFY(QFileInfo(chosen).isDir());
    }
    QVERIFY2(!QFileInfo::exists(dir.filePath("relcache")), "nothing in the working directory");
}

void TestStagingFile::noFolderIsNeverTheWorkingDirectory()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
    QVERIFY(writeFile("temp.jpg", "the user's own temp.jpg"));

    try {
        StagingFile(QString()).write("body");
        QFAIL("no failure raised");
    } catch (const FileFailure &failure) {
        QVERIFY2(QString::fromUtf8(failure.what()).contains("temp.jpg"), failure.what());
    }
    QCOMPARE(fileContents("temp.jpg"), QByteArray("the user's own temp.jpg"));
}

void TestStagingFile::wholeAtEveryMoment()
{
    QTemporaryDir dir;
    const StagingFile staging(dir.path());
    const QByteArray first(300'000, 'a');
    const QByteArray second(200'000, 'b');
    staging.write(first);

    // A reader in a loop, as another program opening temp.jpg would, while it is replaced.
    std::atomic<bool> done = false;
    std::atomic<int> reads = 0;
    std::atomic<int> mixed = 0;
    std::thread reader([&] {
        while (!done) {
            const QByteArray seen = fileContents(staging.path());
            if (seen != first && seen != second)
                ++mixed;
            ++reads;
        }
    });
    for (int i = 0; i < 300; ++i)
        staging.write(i % 2 ? first : second);
    done = true;
    reader.join();
    QVERIFY2(mixed == 0, qPrintable(QStringLiteral("%1 of %2 reads saw a mixed or empty file")
                                        .arg(mixed.load())
                                        .arg(reads.load())));
    QVERIFY(reads > 0);
}

void TestStagingFile::keptFileFailsInChinese_data()
{
    QTest::addColumn<QString>("options"); // of the tmpfs the file is saved in
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a read-only folder") << "ro,size=64k" << qsizetype(10) << u"文件系统只读"_qs;
    QTest::newRow("a full disk") << "size=64k" << qsizetype(256 * 1024) << u"磁盘已满"_qs;
}

void TestStagingFile::keptFileFailsInChinese()
{
    QFETCH(QString, options);
    QFETCH(qsizetype, size);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", dir.path()}) != 0)
        QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {dir.path()}); });
    const QString path = dir.filePath("807180200.jpg");
    try {
        saveFileDurably(path, QByteArray(size, 'x'));
        QFAIL("saved where it cannot be");
    } catch (const FileFailure &failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), u"无法保存 "_qs + path + u"："_qs + reason);
    }
    QVERIFY2(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             "nothing half-written is left");
}

void TestStagingFile::saveDialogFolder_data()
{
    QTest::addColumn<bool>("usedLast");   // a folder saved in before, still there
    QTest::addColumn<bool>("pictures");   // the home folder has its Pictures folder
    QTest::addColumn<QString>("opensIn"); // relative to the home folder
    QTest::newRow("the folder used last") << true << true << "elsewhere";
    QTest::newRow("Pictures") << false << true << "Pictures";
    QTest::newRow("no Pictures: home, not the working folder") << false << false << "";
}

void TestStagingFile::saveDialogFolder()
{
    QFETCH(bool, usedLast);
    QFETCH(bool, pictures);
    QFETCH(QString, opensIn);
    QTemporaryDir home;
    const QByteArray homeBefore = qgetenv("HOME");
    const QByteArray configBefore = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", homeBefore);
        qputenv("XDG_CONFIG_HOME", configBefore);
    });
    QVERIFY(QDir(home.path()).mkpath("elsewhere"));
    if (pictures)
        QVERIFY(QDir(home.path()).mkpath("Pictures"));
    const QString chosen = folderToSaveIn(usedLast ? home.filePath("elsewhere") : QString());
    QCOMPARE(QDir(chosen).absolutePath(), QDir(home.filePath(opensIn)).absolutePath());
    // A folder used last that has gone since is passed over.
    QVERIFY(QDir(home.filePath("elsewhere")).removeRecursively());
    QCOMPARE(folderToSaveIn(home.filePath("elsewhere")),
             pictures ? home.filePath("Pictures") : QDir::homePath());
}

void TestStagingFile::theNewestCommitWins_data()
{
    // Two bodies staged; whichever write ended first, temp.jpg holds the one committed, and the
    // one let go leaves no file of its own.
    QTest::addColumn<bool>("olderStagedFirst");
    QTest::newRow("the replaced body was written first") << true;
    QTest::newRow("the replaced body was written last") << false;
}

void TestStagingFile::theNewestCommitWins()
{
    QFETCH(bool, olderStagedFirst);
    QTemporaryDir dir;
    const StagingFile staging(dir.path());
    staging.write("shown before");
    StagedBody older, newer;
    if (olderStagedFirst) {
        older = staging.stage(QByteArray(256 * 1024, 'o'));
        newer = staging.stage("newer");
    } else {
        newer = staging.stage("newer");
        older = staging.stage(QByteArray(256 * 1024, 'o'));
    }
    // Staged, not yet under the name: temp.jpg is still what was shown before.
    QCOMPARE(fileContents(staging.path()), QByteArray("shown before"));
    staging.commit(newer);
    older = StagedBody(); // replaced: let go
    QCOMPARE(fileContents(staging.path()), QByteArray("newer"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"temp.jpg"});
}

void TestStagingFile::leftoversOfAKilledSave_data()
{
    QTest::addColumn<QString>("name");     // beside loop.webp
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("removed");
    const QByteArray webp = QByteArray("RIFF\x10\0\0\0WEBPVP8 ", 16);
    QTest::newRow("a save's temporary, minutes old: removed") << "loop.webp.AbC123" << webp << 300 << true;
    QTest::newRow("one just begun: another save's, kept") << "loop.webp.XyZ789" << webp << 0 << false;
    QTest::newRow("a file of the user's that looks like one: kept") << "loop.webp.backup" << QByteArray("notes") << 300 << false;
    QTest::newRow("another file's temporary: kept") << "other.webp.AbC123" << webp << 300 << false;
}

void TestStagingFile::leftoversOfAKilledSave()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, ageSeconds);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    QFile leftover(dir.filePath(name));
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.write(bytes);
    leftover.flush(); // written before it is dated
    leftover.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    leftover.close();
    saveFileDurably(dir.filePath("loop.webp"), "a loop");
    QCOMPARE(fileContents(dir.filePath("loop.webp")), QByteArray("a loop"));
    QCOMPARE(!QFile::exists(dir.filePath(name)), removed);
}

QTEST_MAIN(TestStagingFile)
#include "tst_stagingfile.moc"
