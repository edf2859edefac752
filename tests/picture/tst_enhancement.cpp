// Enhancement tables: the shipped files map their breakpoints as they say, a broken file is
// refused with its name and line, and the stretch and the adjustments do what they promise.

#include "failure.h"
#include "picture/enhancement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "filecontents.h"

#include <sys/stat.h>

using namespace veltaro;

class TestEnhancement : public QObject
{
    Q_OBJECT

private slots:
    void shippedTablesMapTheirBreakpoints_data();
    void shippedTablesMapTheirBreakpoints();
    void brokenTablesAreRefused_data();
    void brokenTablesAreRefused();
    void userTablesReplaceAndBrokenOnesAreSkipped();
    void entriesThatAreNoFilesAreNamed_data();
    void entriesThatAreNoFilesAreNamed();
    void stretchMapsThePercentiles();
    void adjustmentsComeBeforeTheTable();
    void colourPicturesGoThroughTheirLuminance();
};

void TestEnhancement::shippedTablesMapTheirBreakpoints_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("level");
    QTest::addColumn<QColor>("shown");
    // clang-format off
    QTest::newRow("BD: warm levels as they are") << "dvorak-bd" << 100 << QColor(100, 100, 100);
    QTest::newRow("BD: +9 to -30 °C, medium grey") << "dvorak-bd" << 136 << QColor(110, 110, 110);
    QTest::newRow("BD: -31 °C begins off-white") << "dvorak-bd" << 176 << QColor(215, 215, 215);
    QTest::newRow("BD: -42 °C, dark grey") << "dvorak-bd" << 196 << QColor(70, 70, 70);
    QTest::newRow("BD: -64 °C, light grey") << "dvorak-bd" << 240 << QColor(175, 175, 175);
    QTest::newRow("BD: -70 °C and colder, black") << "dvorak-bd" << 255 << QColor(0, 0, 0);
    QTest::newRow("rainbow: warmer than 176 grey") << "rainbow" << 175 << QColor(175, 175, 175);
    QTest::newRow("rainbow: 176 blue") << "rainbow" << 176 << QColor(0x00, 0x30, 0xff);
    QTest::newRow("rainbow: coldest pink") << "rainbow" << 255 << QColor(0xff, 0x80, 0xff);
    QTest::newRow("ramp: 176 blue") << "cold-ramp" << 176 << QColor(0x20, 0x40, 0xff);
    QTest::newRow("ramp: 255 red") << "cold-ramp" << 255 << QColor(0xff, 0x20, 0x20);
    QTest::newRow("ramp: 40 of its 79 steps") << "cold-ramp" << 216 << QColor(0x91, 0x30, 0x8e);
    QTest::newRow("cold tops: 219 still grey") << "cold-tops" << 219 << QColor(219, 219, 219);
    QTest::newRow("cold tops: 220 orange") << "cold-tops" << 220 << QColor(0xff, 0x90, 0x00);
    QTest::newRow("cold tops: 252 magenta") << "cold-tops" << 252 << QColor(0xff, 0x00, 0xff);
    // clang-format on
}

void TestEnhancement::shippedTablesMapTheirBreakpoints()
{
    QFETCH(QString, id);
    QFETCH(int, level);
    QFETCH(QColor, shown);
    QFile file(QStringLiteral(VELTARO_DATA_DIR "/enhancements/%1.table").arg(id));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const EnhancementTable table = parseEnhancementTable(QString::fromUtf8(file.readAll()), file.fileName());
    QCOMPARE(table.id, id);
    QVERIFY(!table.name.isEmpty() && !table.description.isEmpty() && !table.source.isEmpty());
    QCOMPARE(QColor(table.colours[size_t(level)]), shown);
    // Through the enhancement, a grey picture of that level shows the same colour.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(level, level, level));
    const Enhancement enhancement = Enhancement::table(std::make_shared<EnhancementTable>(table));
    QCOMPARE(enhancement.apply(picture).pixelColor(2, 2), shown);
}

void TestEnhancement::brokenTablesAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    const QString head = QStringLiteral("名称: 试验\n");
    QTest::newRow("a range upside down") << head + "200-100: #ff0000\n" << "第 2 行：灰度范围 200-100";
    QTest::newRow("a level past 255") << head + "250-300: #ff0000\n" << "第 2 行：灰度范围 250-300";
    QTest::newRow("levels named twice") << head + "0-10: 灰\n5-20: #00ff00\n" << "第 3 行：灰度 5 已由前面的行给出";
    QTest::newRow("not a colour") << head + "0-10: red\n" << "第 2 行：“red”不是颜色";
    QTest::newRow("a line of nothing known") << head + "lorem ipsum\n" << "第 2 行：无法理解";
    QTest::newRow("no name") << QStringLiteral("0-10: 灰\n") << "没有“名称：”一行";
    QTest::newRow("no range") << head << "没有给出任何灰度范围";
}

void TestEnhancement::brokenTablesAreRefused()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    try {
        parseEnhancementTable(text, QStringLiteral("/home/someone/mine.table"));
        QFAIL("the table was taken");
    } catch (const TableFailure &failure) {
        const QString said = QString::fromUtf8(failure.what());
        QVERIFY2(said.contains(QStringLiteral("mine.table")) && said.contains(reason), qPrintable(said));
    }
}

void TestEnhancement::userTablesReplaceAndBrokenOnesAreSkipped()
{
    QTemporaryDir shipped;
    QTemporaryDir user;
    const auto write = [](const QString &path, const QByteArray &text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(shipped.filePath("warm.table"), "名称: 暖\n0-255: 灰\n");
    write(shipped.filePath("cold.table"), "名称: 冷\n200-255: #0000ff\n");
    write(user.filePath("cold.table"), "名称: 我的冷\n200-255: #ff0000\n");
    write(user.filePath("broken.table"), "名称: 坏\n0-10: 蓝\n");
    QStringList problems;
    const auto tables = loadEnhancementTables({shipped.path(), user.path()}, &problems);
    QStringList names;
    for (const auto &table : tables)
        names << table->name;
    // The user's "cold" stands where the shipped one did.
    QCOMPARE(names, (QStringList{QString::fromUtf16(u"我的冷"), QString::fromUtf16(u"暖")}));
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().contains("broken.table") && problems.first().contains(QString::fromUtf16(u"第 2 行")),
             qPrintable(problems.first()));
}

void TestEnhancement::entriesThatAreNoFilesAreNamed_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("said");
    QTest::newRow("a link to an endless device") << "device" << QString::fromUtf16(u"不是普通文件");
    QTest::newRow("a pipe nobody writes to") << "fifo" << QString::fromUtf16(u"不是普通文件");
    QTest::newRow("a link loop") << "loop" << QString::fromUtf16(u"链接");
    QTest::newRow("a folder") << "folder" << QString::fromUtf16(u"文件夹");
}

void TestEnhancement::entriesThatAreNoFilesAreNamed()
{
    QFETCH(QString, entry);
    QFETCH(QString, said);
    QTemporaryDir user;
    const QByteArray path = QFile::encodeName(user.filePath("odd.table"));
    if (entry == "device")
        QVERIFY(QFile::link("/dev/zero", user.filePath("odd.table")));
    else if (entry == "fifo")
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    else if (entry == "loop")
        QVERIFY(QFile::link(user.filePath("odd.table"), user.filePath("odd.table")));
    else
        QVERIFY(QDir().mkpath(user.filePath("odd.table")));
    QVERIFY(writeFile(user.filePath("good.table"), "名称: 好\n0-255: 灰\n"));
    // Returns at all (neither reading without end nor waiting on the pipe), with the good table.
    QStringList problems;
    const auto tables = loadEnhancementTables({user.path()}, &problems);
    QCOMPARE(tables.size(), size_t(1));
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().contains("odd.table") && problems.first().contains(said),
             qPrintable(problems.first()));
}

void TestEnhancement::stretchMapsThePercentiles()
{
    // 100 columns of levels 50..149: the 2nd percentile is 51, the 98th 147.
    QImage picture(100, 10, QImage::Format_RGB32);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 10; ++y)
            picture.setPixel(x, y, qRgb(50 + x, 50 + x, 50 + x));
    const auto [low, high] = percentiles(picture, 2, 98);
    QCOMPARE(low, 51);
    QCOMPARE(high, 147);
    const QImage stretched = Enhancement::stretch().apply(picture);
    QCOMPARE(qGray(stretched.pixel(low - 50, 0)), 0);
    QCOMPARE(qGray(stretched.pixel(high - 50, 0)), 255);
    QCOMPARE(qGray(stretched.pixel(0, 0)), 0);     // below: clipped
    QCOMPARE(qGray(stretched.pixel(99, 0)), 255);  // above: clipped
    QCOMPARE(qGray(stretched.pixel(49, 0)), 128);  // (99 - 51) × 255 / 96 = 127.5, rounded
}

void TestEnhancement::adjustmentsComeBeforeTheTable()
{
    EnhancementTable table;
    for (int level = 0; level < 256; ++level)
        table.colours[size_t(level)] = level >= 200 ? qRgb(255, 0, 0) : qRgb(level, level, level);
    Enhancement enhancement = Enhancement::table(std::make_shared<EnhancementTable>(table));
    QCOMPARE(QColor(enhancement.lookupFor()[190]), QColor(190, 190, 190));
    // Brightened by 10 %, level 190 reads as 215 and takes the table's red.
    enhancement.setAdjustments({10, 0, 1.0});
    QCOMPARE(QColor(enhancement.lookupFor()[190]), QColor(255, 0, 0));
    // Gamma 2 lifts the middle: 64 becomes 128.
    Enhancement gamma;
    gamma.setAdjustments({0, 0, 2.0});
    QCOMPARE(qGray(gamma.lookupFor()[64]), 128);
    // Inverted, with nothing else.
    QCOMPARE(qGray(Enhancement::invert().lookupFor()[10]), 245);
    QVERIFY(Enhancement().isNone());
}

void TestEnhancement::colourPicturesGoThroughTheirLuminance()
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0)); // luminance 87
    picture.setPixel(1, 0, qRgb(0, 0, 255)); // luminance 39
    const QImage inverted = Enhancement::invert().apply(picture);
    QCOMPARE(qGray(inverted.pixel(0, 0)), 255 - qGray(qRgb(255, 0, 0)));
    QCOMPARE(qGray(inverted.pixel(1, 0)), 255 - qGray(qRgb(0, 0, 255)));
}

QTEST_MAIN(TestEnhancement)
#include "tst_enhancement.moc"
