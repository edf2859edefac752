// Comparing two moments through the real window offscreen, against the sample archive: each
// mode made of A and B, B following A or held, a missing B, swapping, and the two named.

#include "samplearchive.h"
#include "startedwindow.h"
#include "waituntil.h"
#include "picture/comparison.h"
#include "picture/enhancement.h"
#include "picture/picturedecoder.h"
#include "widgets/fittedlabel.h"
#include "widgets/legendbar.h"
#include "widgets/picturebox.h"
#include "window/comparer.h"
#include "window/instrumentpanel.h"
#include "window/shownpicture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using namespace veltaro;

class TestComparer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void eachModeIsMadeOfAAndB_data();
    void eachModeIsMadeOfAAndB();
    void bFollowsAOrStays_data();
    void bFollowsAOrStays();
    void aMissingBIsSaidAndAStays();
    void swapAndTurnOff();

private:
    // The picture of `name` as the program decodes it.
    QImage decoded(const QString &name);
    // The window shows 2008-07-18 10:00, pressed for as a person would.
    [[nodiscard]] static bool showTheMoment(StartedWindow &window);

    sample::SampleArchive m_archive;
};

void TestComparer::initTestCase()
{
    qunsetenv("no_proxy");
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({96, 64});
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
}

void TestComparer::init()
{
    m_archive.setMissing({});
}

QImage TestComparer::decoded(const QString &name)
{
    PictureDecoder decoder;
    return decoder.decode(m_archive.pictureBytes(name));
}

bool TestComparer::showTheMoment(StartedWindow &window)
{
    if (!window.showActive())
        return false;
    window.pick("8", "07", "18", "10");
    return window.press();
}

namespace {

// `seen` is B − A through the difference's table, where it was checked.
bool showsDifference(const QImage &seen, const QImage &a, const QImage &b)
{
    const int level = comparison::differenceLevel(greyLevel(b.pixel(7, 9)) - greyLevel(a.pixel(7, 9)));
    return seen.size() == a.size() && seen.pixel(7, 9) == comparison::differenceTable()[size_t(level)];
}

} // namespace

void TestComparer::eachModeIsMadeOfAAndB_data()
{
    QTest::addColumn<int>("key"); // Alt+1 .. Alt+5
    QTest::addColumn<QString>("mode");
    QTest::newRow("blink") << int(Qt::Key_1) << QString::fromUtf16(u"闪烁");
    QTest::newRow("swipe") << int(Qt::Key_2) << QString::fromUtf16(u"卷帘");
    QTest::newRow("fade") << int(Qt::Key_3) << QString::fromUtf16(u"渐变");
    QTest::newRow("difference") << int(Qt::Key_4) << QString::fromUtf16(u"差值");
    QTest::newRow("side by side") << int(Qt::Key_5) << QString::fromUtf16(u"并排");
}

void TestComparer::eachModeIsMadeOfAAndB()
{
    QFETCH(int, key);
    QFETCH(QString, mode);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showTheMoment(window));
    const QImage a = decoded("8071802");
    const QImage b = decoded("8071702"); // the same hour a day earlier
    QCOMPARE(window.shownPicture().picture(), a);

    QTest::keyClick(&window, Qt::Key(key), Qt::AltModifier); // a mode turns comparing on
    Comparer &comparer = window.comparer();
    QVERIFY(comparer.isOn());
    PictureBox *box = window.picture2();
    const int middle = a.width() / 2;
    bool made = false;
    if (mode == QString::fromUtf16(u"闪烁")) {
        // A and B by turns: B is seen, and then A again.
        QVERIFY(waitUntil([&] { return box->picture() == b; }));
        QVERIFY(waitUntil([&] { return box->picture() == a; }));
        made = true;
    } else if (mode == QString::fromUtf16(u"卷帘")) {
        // Split exactly at the divider, in the middle.
        made = waitUntil([&] {
            const QImage seen = box->picture();
            // Below the marks "A" and "B" at the top.
            return seen.size() == a.size() && seen.pixel(middle - 1, 40) == a.pixel(middle - 1, 40) &&
                   seen.pixel(middle, 40) == b.pixel(middle, 40) && seen != a;
        });
    } else if (mode == QString::fromUtf16(u"渐变")) {
        // At 50 % each channel is the mean, rounded up.
        made = waitUntil([&] {
            const QImage seen = box->picture();
            const int expected = (qRed(a.pixel(5, 5)) + qRed(b.pixel(5, 5)) + 1) / 2;
            return seen.size() == a.size() && seen != a && qRed(seen.pixel(5, 5)) == expected;
        });
    } else if (mode == QString::fromUtf16(u"差值")) {
        made = waitUntil([&] {
            const QImage seen = box->picture();
            return showsDifference(seen, a, b);
        });
    } else {
        // Across the wide viewport: A, a gap, then B.
        made = waitUntil([&] {
            const QImage seen = box->picture();
            return seen.height() == a.height() && seen.width() > 2 * a.width() &&
                   seen.pixel(3, 40) == a.pixel(3, 40) &&
                   seen.pixel(seen.width() - a.width() + 3, 40) == b.pixel(3, 40);
        });
    }
    QVERIFY2(made, qPrintable(mode));
    // Swipe and side by side mark their sides: the corner under "A" is not A's own.
    if (mode == QString::fromUtf16(u"卷帘") || mode == QString::fromUtf16(u"并排"))
        QVERIFY(box->picture().pixel(5, 6) != a.pixel(5, 6));
    // The colour bar reads the difference while it is shown (white for no change), else the enhancement.
    const bool difference = mode == QString::fromUtf16(u"差值");
    QCOMPARE(QColor(window.panel().legend()->colourAt(128)),
             difference ? QColor(Qt::white) : QColor(128, 128, 128));
    // The two moments named, on screen and to a screen reader, and written into what is saved.
    const QString named = QString::fromUtf16(u"A 北京时间 2008-07-18 10:00 · B 北京时间 2008-07-17 10:00 · ") + mode;
    FittedLabel *label = window.panel().comparingLabel();
    QVERIFY(label->isVisible());
    QVERIFY2(label->forms().value(0).startsWith(named), qPrintable(label->forms().value(0)));
    QVERIFY(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Description).startsWith(named));
    QVERIFY(box->picture().text("Description").startsWith(named.left(named.size() - mode.size())));
    QVERIFY(box->accessibleDescription().contains(named));
    // The pointer over the picture reads both.
    QWidget *surface = box->innerArea();
    const QPointF at(10.5, 12.5);
    QMouseEvent moved(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(surface, &moved);
    QCOMPARE(window.readout(), QStringLiteral("像素 (10, 12) · A 灰度 %1 · B 灰度 %2")
                                   .arg(greyLevel(a.pixel(10, 12)))
                                   .arg(greyLevel(b.pixel(10, 12))));
}

void TestComparer::bFollowsAOrStays_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("following A a day earlier") << false;
    QTest::newRow("held at a moment") << true;
}

void TestComparer::bFollowsAOrStays()
{
    QFETCH(bool, held);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showTheMoment(window));
    Comparer &comparer = window.comparer();
    if (held)
        comparer.holdAt({2008, 7, 15, 6});
    QTest::keyClick(&window, Qt::Key_2, Qt::AltModifier);
    QVERIFY(waitUntil([&] { return window.shownPicture().isCompositing(); }));
    // A step: A is 11:00, and B the same hour a day earlier, or where it was held.
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(window.settled());
    const QImage a = decoded("8071803");
    const QImage b = decoded(held ? "8071422" : "8071703");
    const int middle = a.width() / 2;
    QVERIFY(waitUntil([&] {
        const QImage seen = window.picture2()->picture();
        return seen.pixel(middle - 1, 40) == a.pixel(middle - 1, 40) && seen.pixel(middle, 40) == b.pixel(middle, 40);
    }));
    QCOMPARE(comparer.description(),
             QString::fromUtf16(held ? u"A 北京时间 2008-07-18 11:00 · B 北京时间 2008-07-15 06:00 · 卷帘"
                                     : u"A 北京时间 2008-07-18 11:00 · B 北京时间 2008-07-17 11:00 · 卷帘"));
    // The divider moves by key: more of B.
    QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(waitUntil([&] {
        const QImage seen = window.picture2()->picture();
        const int divider = a.width() * comparer.divider() / 1000;
        return comparer.divider() < 500 && seen.pixel(divider, 40) == b.pixel(divider, 40) &&
               seen.pixel(divider - 1, 40) == a.pixel(divider - 1, 40);
    }));
}

void TestComparer::aMissingBIsSaidAndAStays()
{
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showTheMoment(window));
    m_archive.setMissing({"8071702"}); // 2008-07-17 10:00 Beijing time
    QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
    QVERIFY(waitUntil([&] { return window.reason().contains(QString::fromUtf16(u"B：服务器上没有")); }));
    QVERIFY2(window.reason().contains(QString::fromUtf16(u"北京时间 2008-07-17 10:00")), qPrintable(window.reason()));
    // A alone, never A as B.
    QVERIFY(!window.shownPicture().isCompositing());
    QCOMPARE(window.picture2()->picture(), decoded("8071802"));
    QVERIFY(window.comparer().description().endsWith(window.reason()));
}

void TestComparer::swapAndTurnOff()
{
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(showTheMoment(window));
    QTest::keyClick(&window, Qt::Key_4, Qt::AltModifier);
    QVERIFY(waitUntil([&] { return window.shownPicture().isCompositing(); }));
    QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(window.settled());
    QCOMPARE(window.list(3)->currentText(), "17");
    QVERIFY(waitUntil([&] {
        return window.comparer().description() ==
               QString::fromUtf16(u"A 北京时间 2008-07-17 10:00 · B 北京时间 2008-07-18 10:00 · 差值");
    }));
    // The difference the other way round.
    const QImage a = decoded("8071702");
    const QImage b = decoded("8071802");
    QVERIFY(waitUntil([&] {
        const QImage seen = window.picture2()->picture();
        return showsDifference(seen, a, b);
    }));
    // Off: A as it is seen, and the label gone.
    QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
    QVERIFY(!window.comparer().isOn());
    QCOMPARE(window.picture2()->picture(), a);
    QVERIFY(!window.panel().comparingLabel()->isVisible());
}

QTEST_MAIN(TestComparer)
#include "tst_comparer.moc"
