#include "platform/stagingfile.h"
#include "failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_MAIN(TestStagingFile)
#include "tst_stagingfile.moc"
