#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "platform/twips.h"
#include "window/appicon.h"
#include "window/formmain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace veltaro;

namespace {

// A 1024 × 768 screen at 15 twips per pixel.
constexpr TwipsSize kScreen{15360, 11520};

// Runs the application's event loop until something ends it; a watchdog ends it with 99.
int runUntilExit(const std::function<void()> &action)
{
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    return QCoreApplication::exec();
}

} // namespace

class TestFormmain : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void viewportBoxes();
    void captions();
    void lists_data();
    void lists();
    void tabOrder();
    void startFocusAndIcon();
    void exitEndsProgram_data();
    void exitEndsProgram();
};

void TestFormmain::layout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");

    QTest::newRow("horizontal bar under the viewport") << "HScroll1" << 300.f << 9416.f;
    QTest::newRow("vertical bar right of the viewport") << "VScroll1" << 15060.f << 200.f;
    QTest::newRow("year list on the bottom row") << "Combo1" << 1080.f << 9826.f;
    QTest::newRow("hour list on the bottom row") << "Combo4" << 4680.f << 9826.f;
    QTest::newRow("hour unit") << "Label4" << 5760.f << 9826.f;
    QTest::newRow("show button") << "Command1" << 6120.f << 9826.f;
    QTest::newRow("exit button") << "Command2" << 8760.f << 9826.f;
    QTest::newRow("status line") << "Label5" << 7080.f << 9826.f;
    QTest::newRow("year prefix sits lower") << "Label6" << 720.f << 9866.f;
    QTest::newRow("note along the top") << "Label9" << 600.f << 0.f;
}

void TestFormmain::layout()
{
    QFETCH(QString, control);
    QFETCH(float, left);
    QFETCH(float, top);

    Formmain window(kScreen);
    window.Form_Load();
    QCOMPARE(window.outerWidth(), 15360.f);
    QCOMPARE(window.outerHeight(), 11520.f);
    const QWidget *widget = window.control(control.toLatin1().constData());
    QVERIFY(widget);
    QCOMPARE(widget->pos(), QPoint(twips::toPixels(left), twips::toPixels(top)));
}

void TestFormmain::viewportBoxes()
{
    Formmain window(kScreen);
    window.Form_Load();
    auto *picture1 = qobject_cast<PictureBox *>(window.control("Picture1"));
    auto *picture2 = qobject_cast<PictureBox *>(window.control("Picture2"));
    QVERIFY(picture1 && picture2);

    // 14760 × 9216 at (300, 200): H / 5 × 4 with H = 11520.
    QCOMPARE(picture1->leftTwips(), 300.f);
    QCOMPARE(picture1->topTwips(), 200.f);
    QCOMPARE(picture1->widthTwips(), 14760.f);
    QCOMPARE(picture1->heightTwips(), 9216.f);
    QCOMPARE(picture2->leftTwips(), 0.f);
    QCOMPARE(picture2->topTwips(), 0.f);
    QCOMPARE(picture2->widthTwips(), 14760.f);
    QCOMPARE(picture2->heightTwips(), 9216.f);
    QVERIFY(picture2->parentWidget() == picture1->innerArea());

    // The bars span the viewport's width and height.
    QCOMPARE(window.control("HScroll1")->width(), twips::toPixels(14760));
    QCOMPARE(window.control("VScroll1")->height(), twips::toPixels(9216));
}

void TestFormmain::captions()
{
    Formmain window(kScreen);
    window.Form_Load();
    QCOMPARE(window.windowTitle(), QStringLiteral(u"Veltaro查询-数据来自中国风云二号气象卫星"));

    const auto text = [&](const char *name) {
        if (auto *label = qobject_cast<QLabel *>(window.control(name)))
            return label->text();
        return qobject_cast<QPushButton *>(window.control(name))->text();
    };
    QCOMPARE(text("Command1"), QStringLiteral(u"显示"));
    QCOMPARE(text("Command2"), QStringLiteral(u"退出"));
    QCOMPARE(text("Label6"), QStringLiteral("200"));
    QCOMPARE(text("Label1"), QStringLiteral(u"年"));
    QCOMPARE(text("Label2"), QStringLiteral(u"月"));
    QCOMPARE(text("Label3"), QStringLiteral(u"日"));
    QCOMPARE(text("Label4"), QStringLiteral(u"时"));
    QCOMPARE(text("Label5"), QString());

    const QString note = text("Label9");
    const QString start = QStringLiteral(u"注：必须接入互联网") + QString(16, QLatin1Char(' '));
    QVERIFY2(note.startsWith(start), qPrintable(note));
    QVERIFY2(note.size() > start.size() && note.at(start.size()) != QLatin1Char(' '),
             "exactly 16 spaces, then more text");
}

void TestFormmain::lists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("items");

    QStringList months, days, hours;
    for (int n = 1; n <= 12; ++n)
        months << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    for (int n = 1; n <= 31; ++n)
        days << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    for (int n = 1; n <= 23; ++n)
        hours << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    hours << "00";

    QTest::newRow("year digits") << "Combo1" << QStringList{"6", "7", "8", "9"};
    QTest::newRow("months") << "Combo2" << months;
    QTest::newRow("days") << "Combo3" << days;
    QTest::newRow("hours, 00 last") << "Combo4" << hours;
}

void TestFormmain::lists()
{
    QFETCH(QString, list);
    QFETCH(QStringList, items);

    Formmain window(kScreen);
    window.Form_Load();
    auto *combo = qobject_cast<QComboBox *>(window.control(list.toLatin1().constData()));
    QVERIFY(combo);
    QVERIFY(!combo->isEditable());
    QStringList actual;
    for (int i = 0; i < combo->count(); ++i)
        actual << combo->itemText(i);
    QCOMPARE(actual, items);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QString());
}

void TestFormmain::tabOrder()
{
    Formmain window(kScreen);
    window.Form_Load();
    const QStringList expected{"Picture1", "Picture2", "HScroll1", "VScroll1", "Command1",
                               "Combo1",   "Combo2",   "Combo3",   "Combo4",   "Command2"};
    QStringList actual;
    QWidget *widget = window.control("Picture1");
    for (int i = 0; i < expected.size(); ++i) {
        actual << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
    }
    QCOMPARE(actual, expected);
    QCOMPARE(widget->objectName(), QStringLiteral("Picture1"));
}

void TestFormmain::startFocusAndIcon()
{
    Formmain window(kScreen);
    window.Form_Load();
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.isMaximized());
    QTRY_COMPARE(QApplication::focusWidget(), window.control("Picture1"));

    // The window carries the installed icon's images at each size.
    const QIcon icon = window.windowIcon();
    const auto installed = [](int size) {
        return QImage(QStringLiteral(VELTARO_DATA_DIR "/icons/hicolor/%1x%1/apps/veltaro.png")
                          .arg(size))
            .convertToFormat(QImage::Format_ARGB32);
    };
    for (int size : kAppIconSizes) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), "icon at 16, 32 and 48 pixels");
        QCOMPARE(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                 installed(size));
    }
    // The drawing is not empty: the lens and the person cover the middle of the icon.
    QVERIFY(installed(48).pixelColor(24, 20).alpha() > 0);
}

void TestFormmain::exitEndsProgram_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("退出 pressed") << true;
    QTest::newRow("window closed") << false;
}

void TestFormmain::exitEndsProgram()
{
    QFETCH(bool, byButton);
    Formmain window(kScreen);
    window.Form_Load();
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const int status = runUntilExit([&] {
        if (byButton)
            QTest::mouseClick(window.control("Command2"), Qt::LeftButton);
        else
            window.close();
    });
    QCOMPARE(status, 0);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestFormmain)
#include "tst_formmain.moc"
