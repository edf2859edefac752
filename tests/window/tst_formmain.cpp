#include "query/hypotenuse.h"
#include "startedwindow.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"
#include "window/actiontable.h"
#include "window/appicon.h"
#include "window/commandtable.h"
#include "window/helpwindow.h"
#include "window/instrumentpanel.h"
#include "window/picturekeeper.h"
#include "filecontents.h"
#include "app/commandline.h"
#include "window/formmain.h"
#include "window/language.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QScopeGuard>
#include <QTranslator>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

using namespace veltaro;

namespace {

// The largest difference of one colour or alpha channel between two pictures of one size.
int largestChannelDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int((p >> shift) & 0xFF) -
                                                     int((q >> shift) & 0xFF)));
        }
    }
    return largest;
}

// A 1024 × 768 screen at 15 twips per pixel.

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
    void bottomRowInsideTheWorkArea_data();
    void bottomRowInsideTheWorkArea();
    void keysPressFocusedButtonsOnly_data();
    void keysPressFocusedButtonsOnly();
    void everyTabStopShowsItsFocus_data();
    void everyTabStopShowsItsFocus();
    void keysPanThroughTheBars_data();
    void keysPanThroughTheBars();
    void namesForScreenReaders();
    void listsKeepTheirNamesWhenPicked();
    void focusOnAScrolledImageBoxIsSeen();
    void fullScreenAndBack();
    void dialogsSpeakChinese();
    void commandLine_data();
    void commandLine();
    void everyCommandIsListed_data();
    void everyCommandIsListed();
    void theReadmeKeysAreTheTables();
    void dialogsActOnThePictureTheyOpenedOn();
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

    StartedWindow window;
    QCOMPARE(window.outerWidth(), 15360.f);
    QCOMPARE(window.outerHeight(), 11520.f);
    const QWidget *widget = window.control(control.toLatin1().constData());
    QVERIFY(widget);
    QCOMPARE(widget->pos(), QPoint(twips::toPixels(left), twips::toPixels(top)));
}

void TestFormmain::viewportBoxes()
{
    StartedWindow window;
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
    StartedWindow window;
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

    const auto twoDigits = [](int n) { return QString::fromStdString(Hypotenuse(ListInteger(n))); };
    QStringList months, days, hours;
    for (int n = 1; n <= 12; ++n)
        months << twoDigits(n);
    for (int n = 1; n <= 31; ++n)
        days << twoDigits(n);
    for (int n = 1; n <= 23; ++n)
        hours << twoDigits(n);
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

    StartedWindow window;
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
    StartedWindow window;
    const QStringList expected{"Picture1", "Picture2", "HScroll1", "VScroll1", "Command1",
                               "Combo1",   "Combo2",   "Combo3",   "Combo4",   "Command2"};
    // The next stop of Tab; a spin box's own line edit is the spin box.
    const auto next = [](QWidget *widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) ||
               qobject_cast<QAbstractSpinBox *>(widget->parentWidget()));
        return widget;
    };
    QStringList actual;
    QWidget *widget = window.control("Picture1");
    for (int i = 0; i < expected.size(); ++i) {
        actual << widget->objectName();
        widget = next(widget);
    }
    QCOMPARE(actual, expected);
    // The panel's controls follow "退出", in the order they stand; then the viewport again.
    for (QWidget *control : window.panel().focusChain()) {
        QCOMPARE(widget, control);
        widget = next(widget);
    }
    QCOMPARE(widget->objectName(), QStringLiteral("Picture1"));
}

void TestFormmain::startFocusAndIcon()
{
    StartedWindow window;
    QVERIFY(window.showActive());
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
        // The pixmap holds premultiplied pixels; turned back, a channel may differ by one step
        // depending on the processor's vector instructions.
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), installed(size).size());
        const int difference = largestChannelDifference(shown, installed(size));
        QVERIFY2(difference <= 1, qPrintable(QStringLiteral("%1 px: a channel differs by %2")
                                                  .arg(size)
                                                  .arg(difference)));
    }
    // The drawing is not empty: the lens and the person cover the middle of the icon.
    QVERIFY(installed(48).pixelColor(24, 20).alpha() > 0);
}

void TestFormmain::exitEndsProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("退出 pressed") << "button";
    QTest::newRow("window closed") << "close";
    QTest::newRow("Ctrl+Q") << "Ctrl+Q";
    QTest::newRow("Return on the focused 退出") << "Return";
}

void TestFormmain::exitEndsProgram()
{
    QFETCH(QString, how);
    StartedWindow window;
    QVERIFY(window.showActive());

    const int status = runUntilExit([&] {
        if (how == "button") {
            QTest::mouseClick(window.control("Command2"), Qt::LeftButton);
        } else if (how == "close") {
            window.close();
        } else if (how == "Ctrl+Q") {
            QTest::keyClick(window.control("Combo2"), Qt::Key_Q, Qt::ControlModifier);
        } else {
            window.control("Command2")->setFocus();
            QTest::keyClick(window.control("Command2"), Qt::Key_Return);
        }
    });
    QCOMPARE(status, 0);
    QVERIFY(!window.isVisible());
}

void TestFormmain::bottomRowInsideTheWorkArea_data()
{
    QTest::addColumn<QSize>("workArea"); // pixels at 15 twips a pixel
    QTest::newRow("800 × 600 under a 44-pixel panel") << QSize(800, 556);
    QTest::newRow("1366 × 768 under a 44-pixel panel") << QSize(1366, 724);
    QTest::newRow("1024 × 768 with panels top and bottom") << QSize(1024, 680);
}

void TestFormmain::bottomRowInsideTheWorkArea()
{
    QFETCH(QSize, workArea);
    StartedWindow window({}, TwipsSize{workArea.width() * 15.f, workArea.height() * 15.f});
    // A maximized window's client area is the work area less a title bar of about 30 pixels.
    const int clientHeight = workArea.height() - 30;
    for (const char *name : {"Combo1", "Combo2", "Combo3", "Combo4", "Command1", "Command2",
                             "Label5", "Label6", "HScroll1"})
        QVERIFY2(window.control(name)->geometry().bottom() < clientHeight, name);
}

void TestFormmain::keysPressFocusedButtonsOnly_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("presses");
    QTest::newRow("Return on 显示") << "Command1" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on 显示") << "Command1" << int(Qt::Key_Enter) << true;
    QTest::newRow("Space on 显示") << "Command1" << int(Qt::Key_Space) << true;
    QTest::newRow("Return in the hour list") << "Combo4" << int(Qt::Key_Return) << false;
    QTest::newRow("Enter in the year list") << "Combo1" << int(Qt::Key_Enter) << false;
    QTest::newRow("Return on the viewport") << "Picture1" << int(Qt::Key_Return) << false;
}

void TestFormmain::keysPressFocusedButtonsOnly()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(bool, presses);
    StartedWindow window;
    QVERIFY(window.showActive());
    QWidget *widget = window.control(focused.toLatin1().constData());
    widget->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    // With nothing picked, a press of 显示 says "稍侯〉〉〉" at once and ends in "无法找到" as
    // soon as control is back in the event loop; a key that presses nothing changes nothing.
    QTest::keyClick(widget, Qt::Key(key));
    const auto *status = qobject_cast<QLabel *>(window.control("Label5"));
    QCOMPARE(status->text().isEmpty(), !presses);
    if (presses)
        QTRY_COMPARE(status->text(), QString::fromUtf16(u"无法找到"));
}

void TestFormmain::everyTabStopShowsItsFocus_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"Picture1", "Picture2", "HScroll1", "VScroll1"})
        QTest::newRow(name) << name;
}

void TestFormmain::everyTabStopShowsItsFocus()
{
    QFETCH(QString, control);
    StartedWindow window;
    QVERIFY(window.showActive());
    QWidget *widget = window.control(control.toLatin1().constData());
    window.control("Command1")->setFocus();
    QTRY_VERIFY(!widget->hasFocus());
    const QImage without = widget->grab().toImage();
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());
    QVERIFY2(widget->grab().toImage() != without, "nothing shows the focus");
}

void TestFormmain::keysPanThroughTheBars_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value"); // -1: the bar's Max; -2: three lines; -3: a page
    // clang-format off
    QTest::newRow("Down on the viewport") << "Picture1" << int(Qt::Key_Down) << 0 << "VScroll1" << -2;
    QTest::newRow("Right on the viewport") << "Picture1" << int(Qt::Key_Right) << 0 << "HScroll1" << -2;
    QTest::newRow("Page Down on the image box") << "Picture2" << int(Qt::Key_PageDown) << 0 << "VScroll1" << -3;
    QTest::newRow("Shift+Page Down on the image box") << "Picture2" << int(Qt::Key_PageDown) << int(Qt::ShiftModifier) << "HScroll1" << -3;
    QTest::newRow("End on the viewport") << "Picture1" << int(Qt::Key_End) << 0 << "VScroll1" << -1;
    QTest::newRow("Shift+End on the viewport") << "Picture1" << int(Qt::Key_End) << int(Qt::ShiftModifier) << "HScroll1" << -1;
    QTest::newRow("Down on the vertical bar") << "VScroll1" << int(Qt::Key_Down) << 0 << "VScroll1" << 100;
    QTest::newRow("Right on the horizontal bar") << "HScroll1" << int(Qt::Key_Right) << 0 << "HScroll1" << 100;
    // clang-format on
}

void TestFormmain::keysPanThroughTheBars()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, bar);
    QFETCH(int, value);
    StartedWindow window;
    window.showPicture(QImage(1400, 1100, QImage::Format_RGB32), {}, {});
    window.updateScrollRanges();
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *widget = window.control(focused.toLatin1().constData());
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());

    QTest::keyClick(widget, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    auto *moved = qobject_cast<ScrollBar *>(window.control(bar.toLatin1().constData()));
    if (value == -2) {
        // Our keys move about three lines of text, as the wheel does.
        const int lineSpacing = widget->fontMetrics().lineSpacing();
        QVERIFY2(moved->value() >= twips::fromPixels(2 * lineSpacing) &&
                     moved->value() <= twips::fromPixels(4 * lineSpacing),
                 qPrintable(QString::number(moved->value())));
    } else if (value == -3) {
        // A page is most of the viewport (or all that is left to scroll).
        auto *viewport = window.picture1();
        const float side = bar == "HScroll1" ? viewport->innerWidthTwips() : viewport->innerHeightTwips();
        QVERIFY2(moved->value() >= std::min<float>(moved->max(), 0.8f * side),
                 qPrintable(QString::number(moved->value())));
    } else {
        QCOMPARE(moved->value(), value < 0 ? moved->max() : value);
    }
    // The image box follows the bar, as with the mouse.
    auto *imageBox = qobject_cast<PictureBox *>(window.control("Picture2"));
    const float offset = bar == "HScroll1" ? -imageBox->leftTwips() : -imageBox->topTwips();
    QCOMPARE(offset, float(moved->value()));
}

void TestFormmain::namesForScreenReaders()
{
    StartedWindow window;
    window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto name = [&](const char *control) {
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(window.control(control));
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    QCOMPARE(name("Combo1"), QString::fromUtf16(u"年份"));
    QCOMPARE(name("Combo2"), QString::fromUtf16(u"月份"));
    QCOMPARE(name("Combo3"), QString::fromUtf16(u"日"));
    QCOMPARE(name("Combo4"), QString::fromUtf16(u"小时（北京时间）"));
    QCOMPARE(name("HScroll1"), QString::fromUtf16(u"水平滚动"));
    QCOMPARE(name("VScroll1"), QString::fromUtf16(u"垂直滚动"));
    QCOMPARE(name("Picture1"), QString::fromUtf16(u"卫星云图"));

    // A reader meets the bottom row in the order the eye does, left to right.
    QAccessibleInterface *accessibleWindow = QAccessible::queryAccessibleInterface(&window);
    QVERIFY(accessibleWindow);
    QList<int> lefts;
    QList<QWidget *> after; // what follows the bottom row
    for (int i = 0; i < accessibleWindow->childCount(); ++i) {
        QAccessibleInterface *child = accessibleWindow->child(i);
        auto *widget = child ? qobject_cast<QWidget *>(child->object()) : nullptr;
        if (!widget || widget->y() <= window.control("HScroll1")->y())
            continue;
        if (window.control(qPrintable(widget->objectName())) == widget && after.isEmpty())
            lefts << widget->x();
        else
            after << widget;
    }
    QCOMPARE(lefts.size(), 12);
    QVERIFY2(std::is_sorted(lefts.begin(), lefts.end()), "the bottom row in visual order");
    // Then the panel: the moment shown, then the transport.
    QCOMPARE(after, (QList<QWidget *>{window.panel().infoRow(), window.panel().transportRow()}));
}

void TestFormmain::listsKeepTheirNamesWhenPicked()
{
    StartedWindow window;
    window.pick("8", "07", "18", "00");
    const auto accessible = [&](const char *control) {
        return QAccessible::queryAccessibleInterface(window.control(control));
    };
    // Heard by name and value: "年份 2008", not "8".
    const std::pair<const char *, const char16_t *> lists[] = {
        {"Combo1", u"年份"}, {"Combo2", u"月份"}, {"Combo3", u"日"}, {"Combo4", u"小时（北京时间）"}};
    for (const auto &[control, name] : lists)
        QCOMPARE(accessible(control)->text(QAccessible::Name), QString::fromUtf16(name));
    QCOMPARE(accessible("Combo1")->text(QAccessible::Value), "2008");
    QCOMPARE(accessible("Combo1")->valueInterface()->currentValue().toInt(), 2008);
    QCOMPARE(accessible("Combo4")->text(QAccessible::Value), "00");
    // The labels "200" and "年" around the year list label it.
    QStringList labels;
    for (const auto &[label, relation] : accessible("Combo1")->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name);
    QCOMPARE(labels.size(), 2);
    QVERIFY(labels.contains("200") && labels.contains(QString::fromUtf16(u"年")));
    // The list that drops down is still its child.
    QCOMPARE(accessible("Combo2")->childCount(), 1);
    QCOMPARE(accessible("Combo2")->child(0)->childCount(), 12);
    // The picture boxes are images.
    for (const char *box : {"Picture1", "Picture2"})
        QCOMPARE(accessible(box)->role(), QAccessible::Graphic);
}

void TestFormmain::focusOnAScrolledImageBoxIsSeen()
{
    StartedWindow window;
    QImage picture(3000, 3000, QImage::Format_RGB32);
    picture.fill(Qt::black);
    window.showPicture(picture, {}, {});
    window.updateScrollRanges();
    QVERIFY(window.showActive());
    for (const char *name : {"HScroll1", "VScroll1"})
        window.bar(name)->setValue(window.bar(name)->max() / 2);
    window.picture2()->setFocus();
    QTRY_VERIFY(window.picture2()->hasFocus());
    // The image box's own frame is far out of sight: the focus shows along the viewport's
    // inside, at every edge, in the highlight colour.
    QWidget *inside = window.picture1()->innerArea();
    const QImage seen = inside->grab().toImage();
    const QColor highlight = window.picture2()->palette().color(QPalette::Highlight);
    const QPoint edges[] = {{seen.width() / 2, 0}, {seen.width() / 2, seen.height() - 1},
                            {0, seen.height() / 2}, {seen.width() - 1, seen.height() / 2}};
    for (const QPoint &edge : edges)
        QCOMPARE(seen.pixelColor(edge), highlight);
    QCOMPARE(seen.pixelColor(seen.width() / 2, seen.height() / 2), QColor(Qt::black));
}

void TestFormmain::dialogsSpeakChinese()
{
    speak(QString::fromLatin1(kChinese));
    const auto removeTranslations = qScopeGuard([] {
        for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(translator);
        QLocale::setDefault(QLocale::c());
    });
    // The buttons of the save dialog and the message boxes.
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QString::fromUtf16(u"保存"));
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf16(u"取消"));
}

void TestFormmain::fullScreenAndBack()
{
    StartedWindow window;
    QVERIFY(window.showActive());
    QTest::keyClick(&window, Qt::Key_F11);
    QTRY_VERIFY(window.isFullScreen());
    QTest::keyClick(&window, Qt::Key_Escape);
    QTRY_VERIFY(!window.isFullScreen());
    QVERIFY(window.isMaximized());
    // The zoom keys do nothing while nothing is shown.
    const QRect box = window.picture2()->geometry();
    QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(window.picture2()->zoom(), 1.0);
    QCOMPARE(window.picture2()->geometry(), box);
}

void TestFormmain::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status"); // -1: the program starts its window
    QTest::addColumn<QString>("moment"); // the moment it starts on; empty for none
    // clang-format off
    QTest::newRow("none") << QStringList{} << -1 << "";
    QTest::newRow("Qt's -platform") << QStringList{"-platform", "offscreen"} << -1 << "";
    QTest::newRow("Qt's -style=fusion") << QStringList{"-style=fusion"} << -1 << "";
    QTest::newRow("Qt's --reverse") << QStringList{"--reverse"} << -1 << "";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "";
    QTest::newRow("-h") << QStringList{"-h"} << 0 << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "";
    QTest::newRow("a year alone") << QStringList{"2008"} << 2 << "";
    QTest::newRow("a moment with T") << QStringList{"2008-07-18T10"} << -1 << "2008-07-18 10:00";
    QTest::newRow("a moment in one word with a space") << QStringList{"2008-07-18 10"} << -1 << "2008-07-18 10:00";
    QTest::newRow("a moment in two words") << QStringList{"2008-07-18", "09"} << -1 << "2008-07-18 09:00";
    QTest::newRow("the first moment") << QStringList{"2006-01-01T0"} << -1 << "2006-01-01 00:00";
    QTest::newRow("a moment and its loop") << QStringList{"--loop", "24", "--fps", "6", "2008-07-18T10"} << -1 << "2008-07-18 10:00";
    QTest::newRow("before the lists' range") << QStringList{"2005-12-31T23"} << 2 << "";
    QTest::newRow("after the lists' range") << QStringList{"2010-01-01T00"} << 2 << "";
    QTest::newRow("a day February lacks") << QStringList{"2009-02-29T10"} << 2 << "";
    QTest::newRow("hour 24") << QStringList{"2008-07-18T24"} << 2 << "";
    QTest::newRow("not a moment") << QStringList{"tomorrow"} << 2 << "";
    QTest::newRow("too fast") << QStringList{"--fps", "11", "2008-07-18T10"} << 2 << "";
    QTest::newRow("a loop the panel does not offer") << QStringList{"--loop", "7", "2008-07-18T10"} << 2 << "";
    QTest::newRow("an export with no moment") << QStringList{"--export", "x.webp"} << 2 << "";
    QTest::newRow("an export to an unknown format") << QStringList{"--export", "x.bmp", "--moment", "2008-07-18T10"} << 2 << "";
    QTest::newRow("an export of 0 hours") << QStringList{"--export", "x.gif", "--moment", "2008-07-18T10", "--hours", "0"} << 2 << "";
    QTest::newRow("an export too small") << QStringList{"--export", "x.gif", "--moment", "2008-07-18T10", "--size", "8"} << 2 << "";
    // clang-format on
}

void TestFormmain::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, moment);
    arguments.prepend("Veltaro");
    const CommandLine line = handleCommandLine(arguments);
    QCOMPARE(line.exitNow.value_or(-1), status);
    if (status < 0)
        QCOMPARE(line.start.moment ? QString::fromStdString(momentText(*line.start.moment)) : QString(),
                 moment);
}

void TestFormmain::everyCommandIsListed_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("--help") << "help";
    QTest::newRow("the manual page") << "manual";
    QTest::newRow("the Chinese manual page") << "manual.zh_CN";
    QTest::newRow("the README") << "readme";
    QTest::newRow("the F1 window") << "window";
    QTest::newRow("the table of every input in every state") << "control-flow";
}

void TestFormmain::everyCommandIsListed()
{
    // Every command of the action table, with every one of its keys, where a user looks.
    QFETCH(QString, where);
    QString text;
    if (where == "help") {
        text = helpText("Veltaro");
    } else if (where == "window") {
        StartedWindow window;
        QVERIFY(window.showActive());
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(window.helpWindow() && window.helpWindow()->isVisible());
        const QTableWidget *table = window.helpWindow()->table();
        QCOMPARE(table->rowCount(), qsizetype(commandTable().size()));
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                text += table->item(row, column)->text() + '\n';
    } else {
        QFile file(where == "manual"         ? VELTARO_DATA_DIR "/veltaro.1.in"
                   : where == "manual.zh_CN" ? VELTARO_DATA_DIR "/veltaro.zh_CN.1.in"
                   : where == "control-flow" ? VELTARO_DATA_DIR "/../docs/control-flow.md"
                                             : VELTARO_DATA_DIR "/../README.md");
        QVERIFY(file.open(QIODevice::ReadOnly));
        text = QString::fromUtf8(file.readAll()).replace("\\-", "-");
    }
    for (const CommandDesign &design : commandTable()) {
        QVERIFY2(text.contains(nameOf(design)),
                 qPrintable(nameOf(design)));
        if (where == "control-flow")
            continue; // the table names the commands; their keys are the help's
        for (const QString &key :
             QString::fromLatin1(design.keys).split("; ", Qt::SkipEmptyParts)) {
            QVERIFY2(text.contains(key), qPrintable(where + ": " + key));
        }
    }
}

void TestFormmain::theReadmeKeysAreTheTables()
{
    // Both ways: every key the README's key list names is a key of the action table (or one of
    // the few that move about the window, not commands), and every command's keys stand in the
    // same item of the list as its name.
    QFile file(VELTARO_DATA_DIR "/../README.md");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(file.readAll());
    const qsizetype start = readme.indexOf("### Keys");
    QVERIFY(start >= 0);
    const QString section = readme.mid(start, readme.indexOf("\n### ", start + 1) - start);
    QStringList items;
    for (const QString &line : section.split('\n')) {
        if (line.startsWith("- "))
            items << line.mid(2);
        else if (line.startsWith("  ") && !items.isEmpty())
            items.last() += ' ' + line.trimmed();
    }
    QVERIFY(items.size() > 10);
    QSet<QString> tableKeys;
    for (const CommandDesign &design : commandTable())
        for (const QString &key : QString::fromLatin1(design.keys).split("; ", Qt::SkipEmptyParts))
            tableKeys << key;
    const QSet<QString> notCommands{"Shift+F10", "Ctrl+wheel", "Shift+wheel"};
    static const QRegularExpression keyPattern(R"((?:(?:Ctrl|Shift|Alt)\+)+(?:[A-Z0-9]\b|F\d+|Right|Left|Up|Down|wheel|[\]\[+=-])|\bF\d+\b|\bEsc\b)");
    for (const QString &item : std::as_const(items))
        for (auto match = keyPattern.globalMatch(item); match.hasNext();) {
            const QString key = match.next().captured();
            QVERIFY2(tableKeys.contains(key) || notCommands.contains(key), qPrintable("a key of no command: " + key));
        }
    for (const CommandDesign &design : commandTable()) {
        const QString name = '"' + nameOf(design) + '"';
        for (const QString &key : QString::fromLatin1(design.keys).split("; ", Qt::SkipEmptyParts)) {
            const bool beside = std::any_of(items.cbegin(), items.cend(), [&](const QString &item) {
                return item.contains(name) && item.contains(key);
            });
            QVERIFY2(beside, qPrintable(key + " is not beside " + name));
        }
    }
}

void TestFormmain::dialogsActOnThePictureTheyOpenedOn()
{
    // Playback shows other frames while a dialog or a menu is open: what it acts on is the
    // picture shown when it opened.
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    const auto show = [&](const char *name, Qt::GlobalColor colour) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(colour);
        PictureSource source;
        source.bytes = QByteArray("bytes of ") + name;
        source.request.name = name;
        window.showPicture(picture, {}, source);
        window.updateScrollRanges();
    };
    show("8071803", Qt::red);
    const QString target = dir.filePath("saved.jpg");
    QString proposed;
    window.pictureKeeper().setSavePathChooser([&](const QString &path, const QString &) {
        proposed = path;
        show("8071806", Qt::blue); // the next frame, while the dialog is open
        return target;
    });
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY2(proposed.endsWith("807180300.jpg"), qPrintable(proposed));
    QCOMPARE(fileContents(target), QByteArray("bytes of 8071803"));

    // The context menu, opened on the blue frame; 复制图像 chosen after the next one. The menu
    // does not block: the window goes on while it is open.
    bool chosen = false;
    QPointer<QMenu> opened;
    QGuiApplication::clipboard()->clear();
    QWidget *box = window.picture2();
    QContextMenuEvent asked(QContextMenuEvent::Keyboard, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &asked);
    QTRY_VERIFY(opened = qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    show("8071809", Qt::green);
    for (QAction *action : opened->actions())
        if (action->text() == nameOf(designOf(Command::Copy))) {
            opened->close();
            action->trigger();
            chosen = true;
        }
    QVERIFY(chosen);
    QCOMPARE(QGuiApplication::clipboard()->image().pixelColor(1, 1), QColor(Qt::blue));
    QTRY_VERIFY(!opened); // closed and gone, and what it was opened on let go
    // Afterwards the command acts on the picture shown now.
    window.actions().action(Command::Copy)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().pixelColor(1, 1), QColor(Qt::green));
}

QTEST_MAIN(TestFormmain)
#include "tst_formmain.moc"
