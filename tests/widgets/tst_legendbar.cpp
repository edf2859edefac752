#include "widgets/legendbar.h"

#include <QtTest>

using veltaro::LegendBar;

// The colour bar's numbers stand apart at any width it is given.
class TestLegendBar : public QObject
{
    Q_OBJECT

private slots:
    void numbersNeverRunTogether_data();
    void numbersNeverRunTogether();
};

void TestLegendBar::numbersNeverRunTogether_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("numbers");
    QTest::newRow("as wide as it asks") << 256 << 5;
    QTest::newRow("its narrowest") << 128 << 3;
    QTest::newRow("narrower still") << 60 << 2;
}

void TestLegendBar::numbersNeverRunTogether()
{
    QFETCH(int, width);
    QFETCH(int, numbers);
    LegendBar bar;
    bar.resize(width, bar.sizeHint().height());
    const QList<int> levels = bar.numberedLevels();
    QCOMPARE(levels.size(), numbers);
    QCOMPARE(levels.front(), 0);
    QCOMPARE(levels.back(), 255);
    // Each number's box, with a space, ends before the next one begins.
    const QFontMetrics metrics = bar.fontMetrics();
    const auto box = [&](int level) {
        const int half = metrics.horizontalAdvance(QString::number(level)) / 2;
        return std::pair{bar.numberCentre(level) - half, bar.numberCentre(level) + half};
    };
    for (qsizetype i = 1; i < levels.size(); ++i)
        QVERIFY2(box(levels[i - 1]).second + metrics.horizontalAdvance(' ') / 2 <= box(levels[i]).first,
                 qPrintable(QString("%1 and %2").arg(levels[i - 1]).arg(levels[i])));
}

QTEST_MAIN(TestLegendBar)
#include "tst_legendbar.moc"
