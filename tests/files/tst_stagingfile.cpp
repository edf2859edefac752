#include "files/stagingfile.h"
#include "failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <atomic>
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
    void folderFor_data();
    void folderFor();
    void noFolderIsNeverTheWorkingDirectory();
    void wholeAtEveryMoment();
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

QTEST_MAIN(TestStagingFile)
#include "tst_stagingfile.moc"
