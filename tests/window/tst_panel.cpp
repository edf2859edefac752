// The panel through the real window offscreen: it shows what the player, the zoom and the
// picture are, and the moment it names is always the picture's.

#include "cloudpicture.h"
#include "samplearchive.h"
#include "startedwindow.h"
#include "waituntil.h"
#include "retrieval/displaycommand.h"
#include "widgets/framestrip.h"
#include "widgets/legendbar.h"
#include "widgets/picturebox.h"
#include "widgets/viewport.h"
#include "window/actiontable.h"
#include "window/enhancer.h"
#include "window/exportcontroller.h"
#include "window/exportdialog.h"
#include "window/picturekeeper.h"
#include "window/instrumentpanel.h"
#include "widgets/fittedlabel.h"
#include "widgets/twips.h"
#include "window/picturekeeper.h"
#include "window/player.h"
#include "window/smoother.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QImageReader>
#include <QSignalSpy>
#include <QLabel>
#include <QTemporaryDir>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QMouseEvent>

#include "filecontents.h"

using namespace veltaro;

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void reflectsThePlayerAndTheZoom();
    void namesOnlyThePictureShown_data();
    void namesOnlyThePictureShown();
    void theStripShowsAnHour();
    void enhancementFollowsThePictures();
    void readoutNamesThePixel_data();
    void readoutNamesThePixel();
    void whatThePanelWasLeftAtLasts_data();
    void whatThePanelWasLeftAtLasts();
    void theExportStartsFromTheLoopOrTheLastExport();
    void exportsFromTheDialog_data();
    void exportsFromTheDialog();
    void nothingIsCutOffWhenResized_data();
    void nothingIsCutOffWhenResized();

private:
    sample::SampleArchive m_archive;
};

void TestPanel::initTestCase()
{
    qunsetenv("no_proxy");
    QVERIFY(m_archive.listen());
    m_archive.setPictureSize({320, 240});
    qputenv("http_proxy", m_archive.proxyAddress().toLatin1());
}

void TestPanel::init()
{
    m_archive.setScript({});
    m_archive.setMissing({});
}

void TestPanel::reflectsThePlayerAndTheZoom()
{
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    InstrumentPanel &panel = window.panel();
    QCOMPARE(panel.momentLabel()->text(), QString()); // nothing shown yet

    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    QCOMPARE(panel.momentLabel()->text(), QString::fromUtf16(u"北京时间 2008-07-18 10:00 · UTC 02:00"));
    QCOMPARE(panel.zoomLabel()->text(), "100 %");
    QCOMPARE(panel.speedLabel()->text(), QString::fromUtf16(u"4 幅/秒"));

    // The speed and the span, set from the panel or the keys, show in the panel.
    QTest::keyClick(&window, Qt::Key_BracketRight, Qt::ControlModifier);
    QCOMPARE(panel.speedLabel()->text(), QString::fromUtf16(u"5 幅/秒"));
    // Heard too: the labels' names say what they show, their descriptions the value.
    for (QLabel *label : {panel.speedLabel(), panel.zoomLabel()}) {
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(label);
        QVERIFY(heard);
        QCOMPARE(heard->text(QAccessible::Description), label->text());
        QVERIFY(!heard->text(QAccessible::Name).isEmpty());
    }
    // Every list of the panel has a label that names it.
    for (QComboBox *list : {panel.spanList(), panel.enhancementList()}) {
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(list);
        QVERIFY(heard);
        QVERIFY(!heard->relations(QAccessible::Label).isEmpty());
    }
    panel.spanList()->setCurrentIndex(panel.spanList()->findData(6));
    emit panel.spanList()->activated(panel.spanList()->currentIndex());
    QCOMPARE(window.player().loopHours(), 6);
    panel.restBox()->setValue(1.5);
    QCOMPARE(window.player().restMs(), 1500);
    QCOMPARE(panel.strip()->count(), 6);

    // Playing: the play button says what a press does now.
    QAction *play = window.actions().action(Command::Play);
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(window.player().isLooping());
    QCOMPARE(play->text(), QString::fromUtf16(u"暂停"));
    // A loop playing is seen on its button, pressed in, and heard as its state.
    QAction *loop = window.actions().action(Command::Loop);
    QVERIFY(loop->isChecked());
    QCOMPARE(panel.strip()->count(), 6);
    // The loop's hours named in the panel, seen and heard; paused, it says so.
    const QString looping = QString::fromUtf16(u"循环 07-18 05:00 – 07-18 10:00，6 小时");
    QCOMPARE(panel.playingLabel()->text(), looping);
    QCOMPARE(QAccessible::queryAccessibleInterface(panel.playingLabel())->text(QAccessible::Description), looping);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.settled());
    QCOMPARE(play->text(), QString::fromUtf16(u"播放"));
    QVERIFY(!loop->isChecked());
    QCOMPARE(panel.playingLabel()->text(), looping + QString::fromUtf16(u"（已暂停）"));

    // The zoom in words.
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    QVERIFY2(panel.zoomLabel()->text().startsWith(QString::fromUtf16(u"适应窗口 ")),
             qPrintable(panel.zoomLabel()->text()));
    QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(panel.zoomLabel()->text(), "100 %");
}

void TestPanel::namesOnlyThePictureShown_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("playing over a missing hour") << "missing";
    QTest::newRow("Esc on a slow frame") << "esc";
}

void TestPanel::namesOnlyThePictureShown()
{
    QFETCH(QString, how);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    QLabel *label = window.panel().momentLabel();
    // Whenever the label changes, it names the picture on screen.
    QStringList mismatches;
    const auto check = [&] {
        const QString shown = window.pictureKeeper().description().section(QStringLiteral(" · "), 0, 0);
        if (!label->text().startsWith(shown))
            mismatches << label->text() + " | " + shown;
    };
    window.pick("8", "07", "18", "07");
    QVERIFY(window.press());
    for (int i = 0; i < Player::kFastest; ++i)
        window.player().faster();
    if (how == "missing") {
        m_archive.setMissing({"8071801"}); // 09:00 Beijing time
        // Stopped right where the missing hour is passed over.
        connect(&window.player(), &Player::skippedHour, &window, [&] { window.player().stop(); });
        QStringList listed;
        connect(window.list(4), &QComboBox::currentTextChanged, &window,
                [&](const QString &hour) { listed << hour; });
        window.player().play();
        QVERIFY(waitUntil([&] {
            check();
            return !window.player().isPlaying();
        }));
        // The lists never named the missing hour: they follow the picture shown.
        QCOMPARE(listed, QStringList{"08"});
        QVERIFY(window.settled());
        // The missing hour named in Beijing time, so that it never reads as UTC.
        QCOMPARE(label->text(), QString::fromUtf16(u"北京时间 2008-07-18 08:00 · UTC 00:00 · 北京时间 09:00 无图像"));
        // The span played from 07:00: 09:00 is its third hour.
        QCOMPARE(window.panel().strip()->mark(2), FrameStrip::Mark::Missing);
        // Chosen on the strip, the missing hour changes nothing, and the reason says why.
        window.panel().strip()->chosen(2);
        QCOMPARE(window.list(4)->currentText(), "08");
        QCOMPARE(label->text(), QString::fromUtf16(u"北京时间 2008-07-18 08:00 · UTC 00:00 · 北京时间 09:00 无图像"));
        QVERIFY2(window.reason().contains(QString::fromUtf16(u"北京时间 2008-07-18 09:00")), qPrintable(window.reason()));
    } else {
        m_archive.setScript({.delayMs = 3000});
        window.player().play();
        QVERIFY(waitUntil([&] { return window.displayCommand().isDownloading(); }));
        // The frame is on its way; the lists still name the picture shown.
        QCOMPARE(window.list(4)->currentText(), "07");
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.settled());
        QVERIFY(!window.player().isPlaying());
        QCOMPARE(window.list(4)->currentText(), "07"); // back to the picture shown
        QCOMPARE(label->text(), QString::fromUtf16(u"北京时间 2008-07-18 07:00 · UTC 23:00"));
    }
    check();
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
}

void TestPanel::theStripShowsAnHour()
{
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    FrameStrip *strip = window.panel().strip();
    QCOMPARE(strip->count(), Player::kDefaultLoopHours);
    QCOMPARE(strip->current(), strip->count() - 1);
    QCOMPARE(strip->mark(strip->count() - 1), FrameStrip::Mark::Ready);
    // A click on the first mark shows that hour; the strip stays where it was.
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->markRect(0).center());
    QVERIFY(window.settled());
    QCOMPARE(window.list(3)->currentText(), "17");
    QCOMPARE(window.list(4)->currentText(), "11");
    QCOMPARE(strip->current(), 0);
    QCOMPARE(strip->count(), Player::kDefaultLoopHours);
    // With the focus on it, an arrow key steps.
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    QVERIFY(window.settled());
    QCOMPARE(window.list(4)->currentText(), "12");
    QCOMPARE(strip->current(), 1);
    // The tooltip names the hour under the pointer, not the one shown, and how marks read.
    const QPoint over = strip->markRect(0).center();
    QHelpEvent help(QEvent::ToolTip, over, strip->mapToGlobal(over));
    QApplication::sendEvent(strip, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().startsWith(QString::fromUtf16(u"北京时间 07-17 11:00 · 已保存")), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(FrameStrip::legend()));
    QToolTip::hideText();

    // On a slow archive, the hours fetched ahead of a loop are marked on their way, then kept.
    m_archive.setScript({.delayMs = 1500});
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    int onItsWay = -1;
    QVERIFY(waitUntil([&] {
        for (int i = 0; i < strip->count() && onItsWay < 0; ++i)
            if (strip->mark(i) == FrameStrip::Mark::Fetching)
                onItsWay = i;
        return onItsWay >= 0;
    }));
    QVERIFY(strip->hourText(onItsWay).contains(QString::fromUtf16(u"正在取得")));
    QVERIFY(waitUntil([&] { return strip->mark(onItsWay) == FrameStrip::Mark::Ready; }));
    window.player().stop();
    QVERIFY(window.settled());
}

void TestPanel::enhancementFollowsThePictures()
{
    // Black and white pixels side by side: levels 0 and 255, whatever the decoder's rounding.
    m_archive.setScript({.body = sample::checkerboardJpeg({64, 48})});
    QTemporaryDir dir;
    QRgb white = 0;
    {
        StartedWindow window(dir.path());
        QVERIFY(window.showActive());
        window.pick("8", "07", "18", "10");
        QVERIFY(window.press());
        Enhancer &enhancer = window.enhancer();
        const int ramp = enhancer.choiceNames().indexOf(QString::fromUtf16(u"冷云顶蓝红渐变"));
        QVERIFY(ramp > 0);
        // Chosen from the panel's list: the picture on screen is seen anew.
        window.panel().enhancementList()->setCurrentIndex(ramp);
        emit window.panel().enhancementList()->activated(ramp);
        const auto seenRed = [&](const QImage &seen) {
            const QColor bright(seen.pixel(1, 0) == seen.pixel(0, 0) ? seen.pixel(0, 1) : seen.pixel(1, 0));
            return bright.red() > 200 && bright.blue() < 80;
        };
        QVERIFY(waitUntil([&] { return seenRed(window.picture2()->picture()); }));
        white = enhancer.current().lookupFor()[255];
        QCOMPARE(QColor(window.panel().legend()->colourAt(255)), QColor(white));
        // A step and a new picture are seen the same way.
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(window.settled());
        QCOMPARE(window.list(4)->currentText(), "11");
        QVERIFY(seenRed(window.picture2()->picture()));
        // Saved as seen: the enhanced pixels; Ctrl+S still the bytes as downloaded.
        const QString seenFile = dir.filePath("seen.png");
        const QString bytesFile = dir.filePath("bytes.jpg");
        window.pictureKeeper().setSavePathChooser([&](const QString &, const QString &filter) {
            return filter.contains("PNG") ? seenFile : bytesFile;
        });
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QImage(seenFile).convertToFormat(QImage::Format_RGB32),
                 window.picture2()->picture().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(fileContents(bytesFile), sample::checkerboardJpeg({64, 48}));
    }
    // Remembered for the next start.
    StartedWindow again(dir.path());
    QCOMPARE(again.enhancer().choiceNames().at(again.enhancer().choice()), QString::fromUtf16(u"冷云顶蓝红渐变"));
    QCOMPARE(QColor(again.panel().legend()->colourAt(255)), QColor(white));
}

void TestPanel::readoutNamesThePixel_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("200 %") << 2.0;
    QTest::newRow("zoomed by key under the still pointer") << -2.0;
}

void TestPanel::readoutNamesThePixel()
{
    QFETCH(double, zoom);
    const bool byKey = zoom < 0;
    zoom = std::abs(zoom);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    if (byKey) {
        // The pointer rests over a pixel; a key zooms: the readout names the pixel now under it.
        QWidget *surface = window.picture2()->innerArea();
        const QPointF at(76, 43); // whole pixels of the screen, off the picture's pixel edges
        QMouseEvent moved(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(surface, &moved);
        const QString before = window.readout();
        QVERIFY(before.startsWith(QStringLiteral("像素 (76, 43)")));
        const QPointF global = surface->mapToGlobal(at);
        QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
        const double now = window.picture2()->zoom();
        QVERIFY(now > 1);
        const QPointF under = surface->mapFromGlobal(global) * surface->devicePixelRatioF() / now;
        QVERIFY2(window.readout().startsWith(QStringLiteral("像素 (%1, %2)")
                                                 .arg(int(std::floor(under.x())))
                                                 .arg(int(std::floor(under.y())))),
                 qPrintable(window.readout()));
        QVERIFY(window.readout() != before);
        return;
    }
    window.viewport()->setZoom(zoom, QPointF());
    QWidget *surface = window.picture2()->innerArea();
    const QImage picture = window.picture2()->picture();
    const QPoint pixel(37, 21);
    const QPointF at = (QPointF(pixel) + QPointF(0.5, 0.5)) * zoom / surface->devicePixelRatioF();
    QMouseEvent moved(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(surface, &moved);
    QCOMPARE(window.readout(), QStringLiteral("像素 (37, 21) · 灰度 %1").arg(qGray(picture.pixel(pixel))));
    QCOMPARE(window.panel().readout()->text(), window.readout());
    // On request (Ctrl+I) a screen reader finds it in the picture's description too.
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    QVERIFY2(window.picture2()->accessibleDescription().endsWith(window.readout()),
             qPrintable(window.picture2()->accessibleDescription()));
    // It follows the frames: a step under the still pointer reads the new picture.
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(window.settled());
    QCOMPARE(window.readout(),
             QStringLiteral("像素 (37, 21) · 灰度 %1").arg(qGray(window.picture2()->picture().pixel(pixel))));
    QEvent left(QEvent::Leave);
    QApplication::sendEvent(surface, &left);
    QCOMPARE(window.readout(), QString());
}

void TestPanel::nothingIsCutOffWhenResized_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QSize>("size"); // the window's inside, or the work area it is maximized in
    QTest::newRow("1100 × 700") << "resized" << QSize(1100, 700);
    QTest::newRow("1366 × 700") << "resized" << QSize(1366, 700);
    QTest::newRow("800 × 560") << "resized" << QSize(800, 560);
    QTest::newRow("950 × 1040") << "resized" << QSize(950, 1040);
    QTest::newRow("maximized on 800 × 600 under a 44-pixel panel") << "maximized" << QSize(800, 556);
    QTest::newRow("maximized on 1366 × 768 at 120 dpi") << "maximized at 120 dpi" << QSize(1366, 768);
    QTest::newRow("800 × 600 at 120 dpi") << "resized at 120 dpi" << QSize(800, 600);
    QTest::newRow("full screen") << "full screen" << QSize();
}

void TestPanel::nothingIsCutOffWhenResized()
{
    QFETCH(QString, how);
    QFETCH(QSize, size);
    // The type a 120 dpi desktop gives: a quarter larger.
    const QFont usual = QApplication::font();
    const auto restore = qScopeGuard([usual] { QApplication::setFont(usual); });
    if (how.endsWith("at 120 dpi")) {
        QFont larger = usual;
        larger.setPointSizeF(usual.pointSizeF() * 1.25);
        QApplication::setFont(larger);
    }
    QTemporaryDir dir;
    StartedWindow window(dir.path(), how.startsWith("maximized") ? TwipsSize{twips::fromPixels(size.width()),
                                                                   twips::fromPixels(size.height())}
                                                        : StartedWindow::kScreen);
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QVERIFY(window.press());
    if (how.startsWith("resized")) {
        window.showNormal();
        window.resize(size);
        QVERIFY(waitUntil([&] { return window.size() == size; }));
    } else if (how == "full screen") {
        QTest::keyClick(&window, Qt::Key_F11);
        QVERIFY(waitUntil([&] { return window.isFullScreen(); }));
    }
    QVERIFY(window.everythingInside());
    // Every control of the panel whole inside the window, none over another or over "退出".
    QList<QWidget *> controls;
    for (QWidget *row : {window.panel().infoRow(), window.panel().transportRow()})
        for (QWidget *child : row->findChildren<QWidget *>())
            if (child->isVisible() && !child->layout() && child->parentWidget()->layout())
                controls << child; // a control, not a part of one (a spin box's line)
    controls << window.control("Command2");
    for (QWidget *control : controls) {
        const QRect place(control->mapTo(&window, QPoint(0, 0)), control->size());
        QVERIFY2(window.rect().contains(place), qPrintable(control->objectName() + control->accessibleName()));
        QVERIFY2(control == window.control("Command2") || control->width() >= control->minimumSizeHint().width(), qPrintable(control->accessibleName() + control->metaObject()->className()));
        for (QWidget *other : controls)
            if (other != control && !control->isAncestorOf(other) && !other->isAncestorOf(control))
                QVERIFY2(!place.intersects(QRect(other->mapTo(&window, QPoint(0, 0)), other->size())),
                         qPrintable(control->accessibleName() + " / " + other->accessibleName()));
    }
    // The moment label never cut: one of its forms, whole.
    FittedLabel *moment = window.panel().momentLabel();
    QVERIFY(moment->forms().contains(moment->text()));
    QVERIFY(moment->fontMetrics().horizontalAdvance(moment->text()) <= moment->contentsRect().width());
    // The picture takes the room there is: at most a margin stays under the panel.
    if (!how.startsWith("maximized")) {
        const QRect panel = window.panel().transportRow()->geometry();
        QVERIFY2(window.height() - panel.bottom() <= window.control("Command2")->height(),
                 qPrintable(QString::number(window.height() - panel.bottom())));
    }
}

void TestPanel::whatThePanelWasLeftAtLasts_data()
{
    QTest::addColumn<QByteArray>("file"); // the settings file as found at the second start; empty: as written
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("span");
    QTest::addColumn<bool>("fit");
    QTest::newRow("as it was left") << QByteArray() << 7 << 12 << true;
    QTest::newRow("values out of range: the defaults") << QByteArray("[player]\nspeed=11\nloopHours=7\nrestMs=nan\n[view]\nfit=perhaps\n[smooth]\nsteps=5\nlongestGapHours=5\n") << 4 << 24 << false;
}

void TestPanel::whatThePanelWasLeftAtLasts()
{
    QFETCH(QByteArray, file);
    QFETCH(int, speed);
    QFETCH(int, span);
    QFETCH(bool, fit);
    QTemporaryDir dir;
    {
        StartedWindow first(dir.path());
        // A first start remembers nothing: the design's 100 %, the player's defaults.
        QVERIFY(!first.viewport()->fitting());
        QCOMPARE(first.player().speed(), Player::kDefaultSpeed);
        first.player().setSpeed(7);
        first.player().setLoopHours(12);
        first.player().setBackAndForth(true);
        first.player().setRestMs(1500);
        first.actions().action(Command::Fit)->trigger();
        first.actions().action(Command::Smooth)->trigger();
        first.smoother().setSteps(4);
        first.smoother().setLongestGap(6);
    }
    if (!file.isEmpty()) {
        QVERIFY(writeFile(dir.filePath("veltaro.conf"), file));
    }
    StartedWindow again(dir.path());
    QCOMPARE(again.player().speed(), speed);
    QCOMPARE(again.player().loopHours(), span);
    QCOMPARE(again.player().backAndForth(), file.isEmpty());
    QCOMPARE(again.player().restMs(), file.isEmpty() ? 1500 : 0);
    QCOMPARE(again.viewport()->fitting(), fit);
    // Smooth playing as it was left, its steps and longest gap shown in the panel.
    QCOMPARE(again.smoother().isOn(), file.isEmpty());
    QCOMPARE(again.smoother().steps(), file.isEmpty() ? 4 : Smoother::kFewestSteps);
    QCOMPARE(again.smoother().longestGap(), file.isEmpty() ? 6 : loop::kDefaultSmoothGapHours);
    QCOMPARE(again.panel().smoothGap()->currentData().toInt(), again.smoother().longestGap());
    QCOMPARE(again.panel().speedLabel()->text(), QStringLiteral("%1 幅/秒").arg(speed));
}

void TestPanel::theExportStartsFromTheLoopOrTheLastExport()
{
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    window.exporter().setPathChooser([](const QString &, bool, const QString &,
                                        std::function<void(QString)> chosen) { chosen({}); });
    // A loop on screen, paused: the dialog starts from it and from how it plays.
    Player &player = window.player();
    player.setSpeed(6);
    player.setBackAndForth(true);
    player.setRestMs(2000);
    player.setLoopHours(6);
    player.playLoop();
    player.stop();
    window.smoother().setLongestGap(1);
    QVERIFY(window.settled());
    window.actions().action(Command::Export)->trigger();
    ExportDialog *dialog = window.exporter().dialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->spanList()->currentData().toInt(), 0); // the loop on screen
    QCOMPARE(dialog->request({}).hours.size(), size_t(6));
    ExportDialog::Choices chosen = dialog->choices();
    QCOMPARE(chosen.plan.picturesPerSecond, 6);
    QVERIFY(chosen.plan.backAndForth);
    QCOMPARE(chosen.plan.restMs, 2000);
    QCOMPARE(chosen.plan.smoothGapHours, 1); // the panel's
    // Another choice of size is kept for the next export.
    dialog->sizeList()->setCurrentIndex(dialog->sizeList()->findData(720));
    dialog->accept();
    QTRY_VERIFY(!window.exporter().dialog());
    // No loop any more (a press of 显示 picked the moment anew): the last export's choices.
    QVERIFY(window.press());
    window.actions().action(Command::Export)->trigger();
    dialog = window.exporter().dialog();
    QVERIFY(dialog);
    chosen = dialog->choices();
    QCOMPARE(chosen.plan.longestSide, 720);
    QCOMPARE(chosen.plan.picturesPerSecond, 6);
    QCOMPARE(chosen.plan.restMs, 2000);
    dialog->reject();
}

void TestPanel::exportsFromTheDialog_data()
{
    QTest::addColumn<QString>("format"); // as the dialog's list names it; empty: the user cancels
    QTest::addColumn<QString>("file");   // what the dialog proposes, read back
    QTest::newRow("GIF through the dialog's widgets") << "GIF 动画" << "2008-07-18_1000_6小时.gif";
    QTest::newRow("cancelled in the dialog: nothing runs") << "" << "";
}

void TestPanel::exportsFromTheDialog()
{
    QFETCH(QString, format);
    QFETCH(QString, file);
    QTemporaryDir dir;
    StartedWindow window(dir.path());
    QVERIFY(window.showActive());
    window.pick("8", "07", "18", "10");
    QString proposed;
    window.exporter().setPathChooser([&](const QString &path, bool, const QString &,
                                         std::function<void(QString)> chosen) {
        proposed = path;
        chosen(dir.filePath(QFileInfo(path).fileName()));
    });
    QSignalSpy finished(&window.exporter(), &ExportController::finished);
    window.actions().action(Command::Export)->trigger();
    ExportDialog *dialog = window.exporter().dialog();
    QVERIFY(dialog && dialog->isVisible());
    // The dialog does not block: the window goes on while it is open.
    QVERIFY(window.press());
    if (format.isEmpty()) {
        dialog->reject();
        QTRY_VERIFY(!window.exporter().dialog());
        QVERIFY(!window.exporter().isRunning());
        QVERIFY(proposed.isEmpty());
        return;
    }
    dialog->spanList()->setCurrentIndex(dialog->spanList()->findData(6));
    dialog->formatList()->setCurrentIndex(dialog->formatList()->findText(format));
    dialog->sizeList()->setCurrentIndex(dialog->sizeList()->count() - 1); // the smallest
    dialog->accept();
    QVERIFY(window.exporter().isRunning());
    // The time-out only guards against a hang.
    QVERIFY(finished.wait(60000));
    const ExportResult result = finished.first().first().value<ExportResult>();
    QVERIFY2(result.written, qPrintable(result.reason));
    QCOMPARE(QFileInfo(proposed).fileName(), file);
    QImageReader reader(dir.filePath(file));
    QCOMPARE(reader.imageCount(), 6);
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
