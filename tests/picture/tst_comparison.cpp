#include "failure.h"
#include "picture/comparison.h"
#include "picture/enhancement.h"

#include <QtTest>

using namespace veltaro;

// Two moments made into one picture, on small pictures of known grey levels.
class TestComparison : public QObject
{
    Q_OBJECT

private slots:
    void differenceOfFlatPictures_data();
    void differenceOfFlatPictures();
    void fadeMixesByThePercent_data();
    void fadeMixesByThePercent();
    void swipeSplitsAtTheDivider_data();
    void swipeSplitsAtTheDivider();
    void sideBySideKeepsBoth();
    void picturesOfAnotherSizeAreRefused();
};

namespace {

QImage flat(int grey, QSize size = {9, 5})
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(qRgb(grey, grey, grey));
    return picture;
}

// A picture whose column x is grey level x × 10 + `offset`.
QImage columns(int offset)
{
    QImage picture(20, 3, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 10 + offset, x * 10 + offset, x * 10 + offset));
    return picture;
}

} // namespace

void TestComparison::differenceOfFlatPictures_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("level");
    QTest::newRow("no change: the middle") << 100 << 100 << 128;
    QTest::newRow("B brighter") << 100 << 140 << 148;
    QTest::newRow("B darker, as far the other way") << 140 << 100 << 108;
    QTest::newRow("black to white: the top") << 0 << 255 << 255;
    QTest::newRow("white to black: the bottom") << 255 << 0 << 1;
}

void TestComparison::differenceOfFlatPictures()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, level);
    const QImage made = comparison::difference(flat(a), flat(b));
    QCOMPARE(made.format(), QImage::Format_Indexed8);
    for (int y = 0; y < made.height(); ++y)
        for (int x = 0; x < made.width(); ++x)
            QCOMPARE(made.pixelIndex(x, y), level);
    // The table: white at no change, blue where B is brighter, red where darker.
    const std::array<QRgb, 256> table = comparison::differenceTable();
    QCOMPARE(QColor(table[128]), QColor(Qt::white));
    QVERIFY(qBlue(table[200]) > qRed(table[200]));
    QVERIFY(qRed(table[56]) > qBlue(table[56]));
    QCOMPARE(made.color(level), table[size_t(level)]);
}

void TestComparison::fadeMixesByThePercent_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("grey");
    QTest::newRow("0 %: A") << 0 << 60;
    QTest::newRow("50 %: the mean") << 50 << 131; // (60 + 201) / 2, rounded up
    QTest::newRow("100 %: B") << 100 << 201;
    QTest::newRow("past 100 %: B") << 140 << 201;
}

void TestComparison::fadeMixesByThePercent()
{
    QFETCH(int, percent);
    QFETCH(int, grey);
    const QImage made = comparison::fade(flat(60), flat(201), percent);
    QCOMPARE(made.pixel(4, 2), qRgb(grey, grey, grey));
    QCOMPARE(made.pixel(0, 0), made.pixel(8, 4));
}

void TestComparison::swipeSplitsAtTheDivider_data()
{
    QTest::addColumn<int>("divider");
    QTest::addColumn<int>("split"); // the first column from B
    QTest::newRow("in the middle") << 7 << 7;
    QTest::newRow("at the left edge: all B") << 0 << 0;
    QTest::newRow("past the right edge: all A") << 50 << 20;
    QTest::newRow("before the left edge: all B") << -3 << 0;
}

void TestComparison::swipeSplitsAtTheDivider()
{
    QFETCH(int, divider);
    QFETCH(int, split);
    const QImage a = columns(0);
    const QImage b = columns(5);
    const QImage made = comparison::swipe(a, b, divider);
    for (int x = 0; x < made.width(); ++x)
        QCOMPARE(made.pixel(x, 1), (x < split ? a : b).pixel(x, 1));
}

void TestComparison::sideBySideKeepsBoth()
{
    const QImage a = flat(30, {6, 4});
    const QImage b = flat(220, {6, 4});
    const QImage across = comparison::sideBySide(a, b, Qt::Horizontal, 2);
    QCOMPARE(across.size(), QSize(14, 4));
    QCOMPARE(greyLevel(across.pixel(5, 3)), 30);
    QCOMPARE(greyLevel(across.pixel(7, 0)), 0); // the gap
    QCOMPARE(greyLevel(across.pixel(8, 0)), 220);
    const QImage above = comparison::sideBySide(a, b, Qt::Vertical, 2);
    QCOMPARE(above.size(), QSize(6, 10));
    QCOMPARE(greyLevel(above.pixel(0, 3)), 30);
    QCOMPARE(greyLevel(above.pixel(0, 6)), 220);
}

void TestComparison::picturesOfAnotherSizeAreRefused()
{
    const QImage a = flat(10, {4, 4});
    const QImage b = flat(10, {4, 5});
    QVERIFY_THROWS_EXCEPTION(PictureFailure, comparison::difference(a, b));
    QVERIFY_THROWS_EXCEPTION(PictureFailure, comparison::fade(a, b, 50));
    QVERIFY_THROWS_EXCEPTION(PictureFailure, comparison::swipe(a, b, 2));
    QVERIFY_THROWS_EXCEPTION(PictureFailure, comparison::sideBySide(a, b, Qt::Horizontal, 0));
}

QTEST_MAIN(TestComparison)
#include "tst_comparison.moc"
