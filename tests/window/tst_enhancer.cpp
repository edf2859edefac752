// The enhancement chosen and adjusted, as read back from a settings file someone may have edited.

#include "window/enhancer.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "filecontents.h"

using namespace veltaro;

class TestEnhancer : public QObject
{
    Q_OBJECT

private slots:
    void settingsOutOfRangeFallBack_data();
    void settingsOutOfRangeFallBack();
    void manyBrokenTablesMakeAShortMessage();
    void aChoiceThatCannotBeSavedIsSaid();
};

void TestEnhancer::settingsOutOfRangeFallBack_data()
{
    QTest::addColumn<QByteArray>("gamma");
    QTest::addColumn<QByteArray>("brightness");
    QTest::addColumn<double>("gammaRead");
    QTest::addColumn<int>("brightnessRead");
    QTest::newRow("values in range are kept") << QByteArray("2.5") << QByteArray("-40") << 2.5 << -40;
    QTest::newRow("not a number") << QByteArray("nan") << QByteArray("abc") << 1.0 << 0;
    QTest::newRow("infinite") << QByteArray("inf") << QByteArray("1e400") << 1.0 << 0;
    QTest::newRow("out of range") << QByteArray("-5") << QByteArray("250") << 1.0 << 0;
}

void TestEnhancer::settingsOutOfRangeFallBack()
{
    QFETCH(QByteArray, gamma);
    QFETCH(QByteArray, brightness);
    QFETCH(double, gammaRead);
    QFETCH(int, brightnessRead);
    QTemporaryDir dir;
    const QString path = dir.filePath("Veltaro.conf");
    QVERIFY(writeFile(path, "[enhancement]\nchoice=invert\ngamma=" + gamma + "\nbrightness=" + brightness + "\n"));
    const Enhancer enhancer(path);
    QCOMPARE(enhancer.adjustments().gamma, gammaRead);
    QCOMPARE(enhancer.adjustments().brightness, brightnessRead);
    // Whatever the file said, a mid grey stays a visible grey, never black.
    const QRgb mid = enhancer.current().lookupFor()[128];
    QVERIFY2(qGray(mid) > 0 && qGray(mid) < 255, qPrintable(QString::number(qGray(mid))));
}

void TestEnhancer::manyBrokenTablesMakeAShortMessage()
{
    QStringList problems;
    for (int i = 0; i < 1000; ++i)
        problems << QStringLiteral("增强表 broken%1.table 第 3 行：看不懂").arg(i);
    const QString summary = Enhancer::summaryOf(problems);
    QVERIFY2(summary.count(QLatin1Char('\n')) <= 7, qPrintable(summary));
    QVERIFY(summary.startsWith(QStringLiteral("1000 个增强表无法使用")));
    QVERIFY(summary.contains(QStringLiteral("另有 995 个")));
    QCOMPARE(Enhancer::problemWith(problems, QStringLiteral("broken7")), problems[7]);
    QCOMPARE(Enhancer::problemWith(problems, QStringLiteral("broken")), QString());
}

void TestEnhancer::aChoiceThatCannotBeSavedIsSaid()
{
    // A folder stands where the settings file would: the choice cannot be written, and the
    // enhancer says so instead of passing over it.
    QTemporaryDir dir;
    const QString path = dir.filePath("Veltaro.conf");
    QVERIFY(QDir().mkpath(path));
    Enhancer enhancer(path);
    QSignalSpy notSaved(&enhancer, &Enhancer::notSaved);
    enhancer.choose(1);
    enhancer.setAdjustments({10, 0, 1.0});
    QVERIFY(notSaved.wait(5000));
    QCOMPARE(notSaved.size(), 1); // a burst of changes is saved once
    QVERIFY2(notSaved.first().first().toString().contains("Veltaro.conf"),
             qPrintable(notSaved.first().first().toString()));
}

QTEST_MAIN(TestEnhancer)
#include "tst_enhancer.moc"
