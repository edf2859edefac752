// Smooth playing through the real window offscreen, against the sample archive: frames made
// between the hours are shown on the ticks between real ones, and everything that names them
// says so; none is ever staged as temp.jpg.

#include "samplearchive.h"
#include "startedwindow.h"
#include "waituntil.h"
#include "widgets/fittedlabel.h"
#include "widgets/framestrip.h"
#include "window/instrumentpanel.h"
#include "window/picturekeeper.h"
#include "window/player.h"
#include "window/smoother.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veltaro;

class TestSmoothing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void madeFramesAreMarked_data();
    void madeFramesAreMarked();
    void acrossAMissingHourByRealTime();
    void madeTexts_data();
    void madeTexts();

private:
    sample::SampleArchive m_archive;
};

void TestSmoothing::initTestCase()
{
    qunsetenv("no_proxy");
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({160, 120});
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
}

void TestSmoothing::madeFramesAreMarked_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("made"); // a label a made frame shows
    QTest::newRow("two steps: the half hour") << 2 << QString::fromUtf16(u"北京时间 2008-07-18 0%1:30 · 插值");
    QTest::newRow("four steps: the quarters") << 4 << QString::fromUtf16(u"北京时间 2008-07-18 0%1:45 · 插值");
}

void TestSmoothing::madeFramesAreMarked()
{
    QFETCH(int, steps);
    QFETCH(QString, made);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "07");
    QVERIFY(window.press());
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    Smoother &smoother = window.smoother();
    QVERIFY(smoother.isOn());
    QComboBox *stepsList = window.panel().smoothSteps();
    QVERIFY(stepsList->isVisible());
    stepsList->setCurrentIndex(stepsList->findData(steps));
    emit stepsList->activated(stepsList->currentIndex());
    QCOMPARE(smoother.steps(), steps);

    // Every label the moment shows while playing, and what temp.jpg holds when it does.
    FittedLabel *label = window.panel().momentLabel();
    QStringList labels;
    QString madeDescription;
    double madeOnStrip = 0; // how far between two hours the strip marks a made frame
    window.player().setSpeed(Player::kFastest);
    window.player().play();
    QVERIFY(waitUntil([&] {
        const QString text = label->forms().value(0);
        if (labels.isEmpty() || labels.last() != text)
            labels << text;
        if (text.endsWith(QString::fromUtf16(u"· 插值")) && madeDescription.isEmpty()) {
            madeDescription = window.pictureKeeper().description();
            madeOnStrip = window.panel().strip()->between();
        }
        return smoother.shown() >= 3;
    }));
    window.player().stop();
    QVERIFY(window.settled());
    // Made frames named as such, at the times they stand for, between real ones.
    bool sawMade = false;
    for (int hour = 7; hour <= 9 && !sawMade; ++hour)
        sawMade = labels.contains(made.arg(hour));
    QVERIFY2(sawMade, qPrintable(labels.join('\n')));
    QVERIFY2(madeDescription.contains(QString::fromUtf16(u"插值")), qPrintable(madeDescription));
    QVERIFY(madeOnStrip > 0 && madeOnStrip < 1);
    // temp.jpg only ever holds a real hour's downloaded bytes.
    QFile staged(dir.filePath("temp.jpg"));
    QVERIFY(staged.open(QIODevice::ReadOnly));
    const QByteArray bytes = staged.readAll();
    bool real = false;
    for (int hour = 23; hour <= 23 + 8 && !real; ++hour) {
        const int utc = hour % 24;
        const QString name = (utc == 23 ? QStringLiteral("80717%1") : QStringLiteral("80718%1"))
                                 .arg(utc, 2, 10, QLatin1Char('0'));
        real = bytes == m_archive.pictureBytes(name);
    }
    QVERIFY(real);
}

void TestSmoothing::acrossAMissingHourByRealTime()
{
    // 09:00 is missing: once the loop knows it, the frames between 08:00 and 10:00 are made by
    // their real times, 08:30, 09:00 and 09:30, and 09:00 is still named as missing.
    m_archive.setMissing({"8071801"});
    const auto reset = qScopeGuard([this] { m_archive.setMissing({}); });
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    window.smoother().setOn(true);
    window.player().setSpeed(Player::kFastest);
    window.player().setLoopHours(6);
    window.player().playLoop();
    FittedLabel *label = window.panel().momentLabel();
    QStringList labels;
    const QString atTheMissingHour = QString::fromUtf16(u"北京时间 2008-07-18 09:00 · 插值");
    QVERIFY(waitUntil([&] {
        const QString text = label->forms().value(0);
        if (labels.isEmpty() || labels.last() != text)
            labels << text;
        return labels.contains(atTheMissingHour);
    }));
    window.player().stop();
    QVERIFY(window.settled());
    const qsizetype at = labels.lastIndexOf(atTheMissingHour);
    QCOMPARE(labels.value(at - 1), QString::fromUtf16(u"北京时间 2008-07-18 08:30 · 插值"));
    QVERIFY(window.player().skipped().contains("2008-07-18 09:00"));
}

void TestSmoothing::madeTexts_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("the half hour") << 1 << 2 << QString::fromUtf16(u"北京时间 2008-07-18 08:30 · 插值");
    QTest::newRow("a third") << 2 << 3 << QString::fromUtf16(u"北京时间 2008-07-18 08:40 · 插值");
    QTest::newRow("the last quarter") << 3 << 4 << QString::fromUtf16(u"北京时间 2008-07-18 08:45 · 插值");
}

void TestSmoothing::madeTexts()
{
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(QString, text);
    QCOMPARE(Smoother::madeText({2008, 7, 18, 8}, step, steps), text);
}

QTEST_MAIN(TestSmoothing)
#include "tst_smoothing.moc"
