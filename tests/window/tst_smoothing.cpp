// Smooth playing through the real window offscreen, against the sample archive: frames made
// between the hours are shown on the ticks between real ones, and everything that names them
// says so; none is ever staged as temp.jpg.

#include "samplearchive.h"
#include "startedwindow.h"
#include "waituntil.h"
#include "export/loopframes.h"
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

#include <functional>

using namespace veltaro;

namespace {

// Shows the hour asked for on 2008-07-18; false when it could not.
bool showHour(StartedWindow &window, const char *hour)
{
    if (!window.showActive())
        return false;
    window.pick("8", "07", "18", hour);
    return window.press();
}

// Waits, noting in `labels` each moment the label shows in turn, until `enough` (told whether
// the label has just changed) says so; false on the time-out.
bool watchLabels(StartedWindow &window, QStringList &labels, const std::function<bool(bool)> &enough)
{
    const FittedLabel *label = window.panel().momentLabel();
    return waitUntil([&] {
        const QString text = label->forms().value(0);
        const bool changed = labels.isEmpty() || labels.last() != text;
        if (changed)
            labels << text;
        return enough(changed);
    });
}

} // namespace

class TestSmoothing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void madeFramesAreMarked_data();
    void madeFramesAreMarked();
    void acrossAMissingHourByRealTime_data();
    void acrossAMissingHourByRealTime();
    void backInTimeToo();
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
    QVERIFY(showHour(window, "07"));
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    Smoother &smoother = window.smoother();
    QVERIFY(smoother.isOn());
    QComboBox *stepsList = window.panel().smoothSteps();
    QVERIFY(stepsList->isVisible());
    stepsList->setCurrentIndex(stepsList->findData(steps));
    emit stepsList->activated(stepsList->currentIndex());
    QCOMPARE(smoother.steps(), steps);

    // Every label the moment shows while playing, and what temp.jpg holds when it does.
    QStringList labels;
    QString madeDescription;
    double madeOnStrip = 0; // how far between two hours the strip marks a made frame
    window.player().setSpeed(Player::kFastest);
    window.player().play();
    QVERIFY(watchLabels(window, labels, [&](bool) {
        if (labels.last().endsWith(QString::fromUtf16(u"· 插值")) && madeDescription.isEmpty()) {
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

void TestSmoothing::acrossAMissingHourByRealTime_data()
{
    QTest::addColumn<int>("longestGap"); // as set in the panel
    QTest::newRow("filled up to 3 hours") << 3;
    QTest::newRow("never across a missing hour") << 1;
}

void TestSmoothing::acrossAMissingHourByRealTime()
{
    // 09:00 is missing: once the loop knows it, the frames between 08:00 and 10:00 are made by
    // their real times, 08:30, 09:00 and 09:30, and 09:00 is still named as missing; unless the
    // panel says not to cross a gap, and the loop jumps from 08:00 to 10:00.
    QFETCH(int, longestGap);
    m_archive.setMissing({"8071801"});
    const auto reset = qScopeGuard([this] { m_archive.setMissing({}); });
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showHour(window, "10"));
    window.smoother().setOn(true);
    QComboBox *gapList = window.panel().smoothGap();
    QVERIFY(gapList->isVisible());
    gapList->setCurrentIndex(gapList->findData(longestGap));
    emit gapList->activated(gapList->currentIndex());
    QCOMPARE(window.smoother().longestGap(), longestGap);
    window.player().setSpeed(Player::kFastest);
    window.player().setLoopHours(6);
    window.player().playLoop();
    QStringList labels;
    const QString atTheMissingHour = QString::fromUtf16(u"北京时间 2008-07-18 09:00 · 插值");
    const QString beforeIt = QString::fromUtf16(u"北京时间 2008-07-18 07:30 · 插值");
    // Until the gap is filled, or else until the loop's fourth pass has made the frames before it.
    QVERIFY(watchLabels(window, labels, [&](bool) {
        return labels.contains(atTheMissingHour) || labels.count(beforeIt) >= 4;
    }));
    window.player().stop();
    QVERIFY(window.settled());
    const qsizetype at = labels.lastIndexOf(atTheMissingHour);
    if (longestGap >= 2)
        QCOMPARE(labels.value(at - 1), QString::fromUtf16(u"北京时间 2008-07-18 08:30 · 插值"));
    else
        QCOMPARE(at, qsizetype(-1));
    QVERIFY(window.player().skipped().contains("2008-07-18 09:00"));
}

void TestSmoothing::backInTimeToo()
{
    // Back and forth: on the way back the frames between two hours stand before the hour shown
    // (from 09:00 to 08:00, 08:30), and the strip marks them before its box.
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showHour(window, "10"));
    window.smoother().setOn(true);
    window.player().setSpeed(Player::kFastest);
    window.player().setLoopHours(6);
    window.player().setBackAndForth(true);
    window.player().playLoop();
    QStringList labels;
    double backOnStrip = 0;
    const QString made = QString::fromUtf16(u"北京时间 2008-07-18 08:30 · 插值");
    const QString ten = QString::fromUtf16(u"北京时间 2008-07-18 10:00");
    const QString nine = QString::fromUtf16(u"北京时间 2008-07-18 09:00");
    // Until 08:30 is shown made after the loop has turned back at 10:00 (the first 10:00 is
    // the press's).
    QVERIFY(watchLabels(window, labels, [&](bool changed) {
        if (changed && labels.last() == made && labels.filter(ten).size() >= 2)
            backOnStrip = window.panel().strip()->between();
        return backOnStrip != 0;
    }));
    window.player().stop();
    QVERIFY(window.settled());
    // Shown after 09:00, going back: 09:30 · 插值, 09:00, 08:30 · 插值.
    const qsizetype at = labels.lastIndexOf(made);
    QVERIFY2(labels.value(at - 1).startsWith(nine), qPrintable(labels.join('\n')));
    QVERIFY2(labels.value(at - 2).startsWith(QString::fromUtf16(u"北京时间 2008-07-18 09:30 · 插值")),
             qPrintable(labels.join('\n')));
    QVERIFY(backOnStrip < 0 && backOnStrip > -1);
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
    QCOMPARE(madeMomentText({2008, 7, 18, 8}, step, steps), text);
}

QTEST_MAIN(TestSmoothing)
#include "tst_smoothing.moc"
