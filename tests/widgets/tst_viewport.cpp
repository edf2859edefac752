#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"
#include "startedwindow.h"
#include "window/picturekeeper.h"
#include "widgets/viewport.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

using namespace veltaro;

namespace {


// The window as it stands after start-up, and its viewport's parts.
struct Started
{
    StartedWindow window;
    PictureBox *picture1 = nullptr;
    PictureBox *picture2 = nullptr;
    ScrollBar *hScroll1 = nullptr;
    ScrollBar *vScroll1 = nullptr;

    Started()
        : picture1(window.picture1()), picture2(window.picture2()),
          hScroll1(window.bar("HScroll1")), vScroll1(window.bar("VScroll1"))
    {
    }

    // What the display command does with a new picture.
    void show(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        picture2->setPicture(picture);
        window.viewport()->UpdateScrollRanges();
    }

    // What the display command does, through the window: the view is kept or reset.
    void present(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        window.showPicture(picture, {}, {});
        window.updateScrollRanges();
    }

    // The image point under a point of the viewport's inner area, in image pixels.
    QPointF imagePointAt(QPointF inViewport) const
    {
        const QPointF scrolled(hScroll1->value() / twips::perPixel(),
                               vScroll1->value() / twips::perPixel());
        const double frame = picture2->frameWidth();
        return (inViewport + scrolled - QPointF(frame, frame)) / picture2->zoom();
    }

    // The image box's size difference to the viewport's inner area, in twips.
    int widthDifference() const
    {
        return qRound(picture2->widthTwips() - picture1->innerWidthTwips());
    }
    int heightDifference() const
    {
        return qRound(picture2->heightTwips() - picture1->innerHeightTwips());
    }
};

QPoint thumbCentre(ScrollBar *bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return bar->style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
        .center();
}

void sendWheel(QWidget *widget, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at(10, 10);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestViewport : public QObject
{
    Q_OBJECT

private slots:
    void atStart();
    void rangesFollowThePicture_data();
    void rangesFollowThePicture();
    void barEnabledAgainForLargerPicture();
    void panningPlacesTheImageBox();
    void hugePictureFullyReachable();
    void lastPixelsCanBeSeen();
    void smallerPictureClampsValue();
    void reversedRangeReadsBack();
    void oneNotificationPerUserAction();
    void thumbDragNotifiesOnRelease();
    void wheelMovesTheBars_data();
    void wheelMovesTheBars();
    void dragMovesBothBars();
    void fitShowsTheWholePicture_data();
    void fitShowsTheWholePicture();
    void zoomKeepsThePointUnderThePointer();
    void rangesReachTheLastPixelAtEveryZoom_data();
    void rangesReachTheLastPixelAtEveryZoom();
    void newPictureKeepsOrResetsTheView_data();
    void newPictureKeepsOrResetsTheView();
    void dragPansByTheDraggedDistanceWhenZoomed();
};

void TestViewport::atStart()
{
    Started started;
    for (ScrollBar *bar : {started.hScroll1, started.vScroll1}) {
        QCOMPARE(bar->min(), 0);
        QCOMPARE(bar->max(), 0);
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->isEnabled());
    }
}

void TestViewport::rangesFollowThePicture_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("hEnabled");
    QTest::addColumn<bool>("vEnabled");

    // The viewport box is 14760 × 9216 twips (984 × 614.4 pixels) with its border; the image
    // box adds a 2-pixel border on each side.
    QTest::newRow("larger both ways") << QSize(1400, 1100) << true << true;
    QTest::newRow("narrower") << QSize(400, 1100) << false << true;
    QTest::newRow("lower") << QSize(1400, 300) << true << false;
    QTest::newRow("smaller both ways") << QSize(100, 100) << false << false;
    QTest::newRow("exactly the viewport's inner width") << QSize(976, 1100) << true << true;
    QTest::newRow("a pixel narrower") << QSize(975, 1100) << false << true;
}

void TestViewport::rangesFollowThePicture()
{
    QFETCH(QSize, picture);
    QFETCH(bool, hEnabled);
    QFETCH(bool, vEnabled);

    Started started;
    started.show(picture.width(), picture.height());
    QCOMPARE(started.picture2->widthTwips(), twips::fromPixels(picture.width() + 4));
    QCOMPARE(started.picture2->heightTwips(), twips::fromPixels(picture.height() + 4));
    QCOMPARE(started.hScroll1->max(), started.widthDifference());
    QCOMPARE(started.vScroll1->max(), started.heightDifference());
    QCOMPARE(started.hScroll1->max() >= 0, hEnabled);
    QCOMPARE(started.hScroll1->isEnabled(), hEnabled);
    QCOMPARE(started.vScroll1->isEnabled(), vEnabled);
}

void TestViewport::barEnabledAgainForLargerPicture()
{
    Started started;
    started.show(400, 300);
    QVERIFY(!started.hScroll1->isEnabled());
    QVERIFY(!started.vScroll1->isEnabled());

    started.show(1400, 1100);
    QVERIFY(started.hScroll1->isEnabled());
    QVERIFY(started.vScroll1->isEnabled());
    QVERIFY(started.hScroll1->max() > 0);
}

void TestViewport::panningPlacesTheImageBox()
{
    Started started;
    started.show(1400, 1100);

    started.hScroll1->setValue(started.hScroll1->max());
    started.vScroll1->setValue(started.vScroll1->max());
    // Max moves the image box left and up by the full difference of the boxes' sizes.
    QCOMPARE(started.picture2->pos(), QPoint(-twips::toPixels(started.widthDifference()),
                                             -twips::toPixels(started.heightDifference())));

    // Back at 0 the image box's corner is the viewport's inner corner.
    started.hScroll1->setValue(0);
    started.vScroll1->setValue(0);
    QCOMPARE(started.picture2->pos(), QPoint(0, 0));
    QCOMPARE(started.picture2->mapTo(&started.window, QPoint(0, 0)),
             started.picture1->innerArea()->mapTo(&started.window, QPoint(0, 0)));
}

void TestViewport::hugePictureFullyReachable()
{
    Started started;
    // 6000 pixels is 90000 twips: far past what 16 bits could hold.
    started.show(6000, 4500);
    QVERIFY(started.hScroll1->max() > 32767);
    QCOMPARE(started.hScroll1->max(), started.widthDifference());
    started.hScroll1->setValue(started.hScroll1->max());
    started.vScroll1->setValue(started.vScroll1->max());
    QCOMPARE(started.hScroll1->value(), started.hScroll1->max());
    // The picture's far corner is inside the viewport's frame.
    const QPoint farCorner = started.picture2->geometry().bottomRight();
    QCOMPARE(farCorner, QPoint(started.picture1->contentsRect().width() - 1,
                               started.picture1->contentsRect().height() - 1));
}

void TestViewport::lastPixelsCanBeSeen()
{
    Started started;
    // The last three columns green, cyan, magenta; the last three rows the same.
    QImage picture(1400, 1100, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    const QColor last[] = {Qt::green, Qt::cyan, Qt::magenta};
    for (int i = 0; i < 3; ++i) {
        for (int y = 0; y < picture.height(); ++y)
            picture.setPixelColor(picture.width() - 3 + i, y, last[i]);
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, picture.height() - 3 + i, last[i]);
    }
    started.picture2->setPicture(picture);
    started.window.viewport()->UpdateScrollRanges();
    started.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&started.window));
    started.hScroll1->setValue(started.hScroll1->max());
    started.vScroll1->setValue(started.vScroll1->max());

    // What the viewport shows inside its frame, pixel by pixel.
    const QImage seen = started.picture1->grab().toImage();
    // Inside the viewport's frame, the image box's own frame, then the picture.
    const int inset = started.picture1->frameWidth() + started.picture2->frameWidth();
    const QPoint farCorner(seen.width() - 1 - inset, seen.height() - 1 - inset);
    QCOMPARE(seen.pixelColor(farCorner), QColor(Qt::magenta));
    QCOMPARE(seen.pixelColor(farCorner - QPoint(1, 200)), QColor(Qt::cyan));
    QCOMPARE(seen.pixelColor(farCorner - QPoint(200, 2)), QColor(Qt::green));
}

void TestViewport::smallerPictureClampsValue()
{
    Started started;
    started.show(3000, 3000);
    started.hScroll1->setValue(started.hScroll1->max());
    started.vScroll1->setValue(started.vScroll1->max());

    started.show(1400, 1100);
    QCOMPARE(started.hScroll1->value(), started.hScroll1->max());
    QCOMPARE(started.vScroll1->value(), started.vScroll1->max());
    QCOMPARE(started.picture2->leftTwips(), static_cast<float>(-started.hScroll1->value()));
    QCOMPARE(started.picture2->topTwips(), static_cast<float>(-started.vScroll1->value()));

    // A picture smaller than the viewport goes back to the corner.
    started.show(100, 100);
    QCOMPARE(started.picture2->pos(), QPoint(0, 0));
}

void TestViewport::reversedRangeReadsBack()
{
    Started started;
    started.hScroll1->setMax(-1234);
    QCOMPARE(started.hScroll1->max(), -1234);
    QCOMPARE(started.hScroll1->min(), 0);
    QCOMPARE(started.hScroll1->value(), 0);
    started.hScroll1->setMin(-2000);
    QCOMPARE(started.hScroll1->max(), -1234);
    QCOMPARE(started.hScroll1->min(), -2000);
}

void TestViewport::oneNotificationPerUserAction()
{
    Started started;
    started.show(1400, 1100);
    QSignalSpy hChanged(started.hScroll1, &ScrollBar::changed);
    QSignalSpy vChanged(started.vScroll1, &ScrollBar::changed);

    started.hScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(hChanged.count(), 1);
    QCOMPARE(started.hScroll1->value(), 100);
    QCOMPARE(started.picture2->leftTwips(), -100.f);

    started.vScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(vChanged.count(), 1);
    QCOMPARE(started.vScroll1->value(), 200);
    QCOMPARE(started.picture2->topTwips(), -200.f);

    started.hScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(started.hScroll1->value(), 200);

    // An action that changes nothing sends nothing.
    started.vScroll1->setValue(0);
    vChanged.clear();
    started.vScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(vChanged.count(), 0);
}

void TestViewport::thumbDragNotifiesOnRelease()
{
    Started started;
    started.show(3000, 1100);
    started.window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&started.window));
    QSignalSpy changed(started.hScroll1, &ScrollBar::changed);

    const QPoint thumb = thumbCentre(started.hScroll1);
    QTest::mousePress(started.hScroll1, Qt::LeftButton, {}, thumb);
    QMouseEvent move(QEvent::MouseMove, thumb + QPoint(200, 0),
                     started.hScroll1->mapToGlobal(thumb + QPoint(200, 0)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(started.hScroll1, &move);
    QVERIFY(started.hScroll1->sliderPosition() > 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(started.picture2->leftTwips(), 0.f);

    QTest::mouseRelease(started.hScroll1, Qt::LeftButton, {}, thumb + QPoint(200, 0));
    QCOMPARE(changed.count(), 1);
    QVERIFY(started.hScroll1->value() > 0);
    QCOMPARE(started.picture2->leftTwips(), static_cast<float>(-started.hScroll1->value()));
}

void TestViewport::wheelMovesTheBars_data()
{
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("hLines"); // a line: what the desktop says a notch scrolls, in text
    QTest::addColumn<int>("vLines");

    QTest::newRow("one notch down") << QPoint(0, -120) << false << 0 << 1;
    QTest::newRow("two notches down") << QPoint(0, -240) << false << 0 << 2;
    QTest::newRow("shift turns it sideways") << QPoint(0, -120) << true << 1 << 0;
    QTest::newRow("horizontal wheel") << QPoint(-120, 0) << false << 1 << 0;
    QTest::newRow("up at the top stays") << QPoint(0, 120) << false << 0 << 0;
    QTest::newRow("half a notch waits") << QPoint(0, -60) << false << 0 << 0;
}

void TestViewport::wheelMovesTheBars()
{
    QFETCH(QPoint, angle);
    QFETCH(bool, shift);
    QFETCH(int, hLines);
    QFETCH(int, vLines);

    Started started;
    started.show(1400, 1100);
    const int line = qRound(QApplication::wheelScrollLines() *
                            started.picture1->fontMetrics().lineSpacing() * twips::perPixel());
    const int hValue = hLines * line;
    const int vValue = vLines * line;
    sendWheel(started.picture2->innerArea(), angle, shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(started.hScroll1->value(), hValue);
    QCOMPARE(started.vScroll1->value(), vValue);
    QCOMPARE(started.picture2->leftTwips(), static_cast<float>(-hValue));
    QCOMPARE(started.picture2->topTwips(), static_cast<float>(-vValue));
}

void TestViewport::dragMovesBothBars()
{
    Started started;
    started.show(1400, 1100);
    started.window.showStarted();
    QVERIFY(QTest::qWaitForWindowExposed(&started.window));
    QWidget *surface = started.picture2->innerArea();

    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(300, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(260, 280), surface->mapToGlobal(QPointF(260, 280)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(260, 280));

    // The picture follows the pointer: 40 pixels left and 20 up.
    QCOMPARE(started.hScroll1->value(), static_cast<int>(twips::fromPixels(40)));
    QCOMPARE(started.vScroll1->value(), static_cast<int>(twips::fromPixels(20)));
    QCOMPARE(started.picture2->pos(), QPoint(-40, -20));
}

void TestViewport::fitShowsTheWholePicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide") << QSize(4000, 1000);
    QTest::newRow("tall") << QSize(900, 3000);
    // Fitting needs less than 1/8 here.
    QTest::newRow("long and narrow") << QSize(100, 12000);
}

void TestViewport::fitShowsTheWholePicture()
{
    QFETCH(QSize, size);
    Started started;
    QVERIFY(started.window.showActive());
    started.present(size.width(), size.height());
    QTest::keyClick(&started.window, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(started.window.viewport()->fitting());
    // The whole image box, frame and all, lies inside the viewport's inner area...
    const QRect inner = started.picture1->innerArea()->rect();
    QVERIFY2(inner.contains(started.picture2->geometry()),
             qPrintable(QStringLiteral("%1,%2 %3×%4").arg(started.picture2->x()).arg(started.picture2->y())
                            .arg(started.picture2->width()).arg(started.picture2->height())));
    // ... touching it on one side, with the picture's proportions.
    const QSize shown = started.picture2->innerArea()->size();
    QVERIFY(shown.width() >= inner.width() - 5 || shown.height() >= inner.height() - 5);
    QVERIFY(qAbs(double(shown.width()) / shown.height() - double(size.width()) / size.height()) < 0.02);
    QVERIFY(started.window.pictureKeeper().description().endsWith(
        QStringLiteral("适应窗口 %1 %").arg(qRound(started.picture2->zoom() * 100))));

    // Ctrl+1 shows it one to one again; a zoom key leaves the mode.
    QTest::keyClick(&started.window, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(started.picture2->zoom(), 1.0);
    QCOMPARE(started.picture2->innerArea()->size(), size);
    QVERIFY(!started.window.viewport()->fitting());
}

void TestViewport::zoomKeepsThePointUnderThePointer()
{
    Started started;
    QVERIFY(started.window.showActive());
    started.present(2288, 2288);
    started.hScroll1->setValue(int(twips::fromPixels(300)));
    started.vScroll1->setValue(int(twips::fromPixels(200)));
    const QPointF pointer(150, 100);
    const QPointF before = started.imagePointAt(pointer);
    const QPoint global = started.picture1->innerArea()->mapToGlobal(pointer.toPoint());
    QWheelEvent wheel(started.picture2->innerArea()->mapFromGlobal(QPointF(global)), QPointF(global),
                      QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(started.picture2->innerArea(), &wheel);
    QCOMPARE(started.picture2->zoom(), Viewport::kZoomStep);
    const QPointF after = started.imagePointAt(pointer);
    // A touchpad sends parts of a notch: four quarters zoom a step as one notch does.
    for (int part = 0; part < 4; ++part) {
        QWheelEvent quarter(started.picture2->innerArea()->mapFromGlobal(QPointF(global)),
                            QPointF(global), QPoint(), QPoint(0, 30), Qt::NoButton,
                            Qt::ControlModifier, Qt::ScrollUpdate, false);
        QApplication::sendEvent(started.picture2->innerArea(), &quarter);
    }
    QVERIFY2(qAbs(started.picture2->zoom() - Viewport::kZoomStep * Viewport::kZoomStep) < 1e-9,
             qPrintable(QString::number(started.picture2->zoom())));
    QVERIFY2((after - before).manhattanLength() < 1.5,
             qPrintable(QStringLiteral("%1,%2 became %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
}

void TestViewport::rangesReachTheLastPixelAtEveryZoom_data()
{
    QTest::addColumn<int>("zoomKeys"); // Ctrl+= presses, or Ctrl+- presses when negative
    QTest::newRow("smaller") << -2;
    QTest::newRow("larger") << 3;
    QTest::newRow("eight times") << 20;
}

void TestViewport::rangesReachTheLastPixelAtEveryZoom()
{
    QFETCH(int, zoomKeys);
    Started started;
    QVERIFY(started.window.showActive());
    started.present(2288, 2288);
    for (int i = 0; i < qAbs(zoomKeys); ++i)
        QTest::keyClick(&started.window, zoomKeys > 0 ? Qt::Key_Equal : Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(started.picture2->zoom() != 1.0);
    QVERIFY(started.picture2->zoom() <= Viewport::kLargestZoom);
    started.hScroll1->setValue(started.hScroll1->maximum());
    started.vScroll1->setValue(started.vScroll1->maximum());
    // The image box's far edge meets the viewport's: its last row and column are in sight.
    const QRect inner = started.picture1->innerArea()->rect();
    QVERIFY(qAbs(started.picture2->geometry().right() - inner.right()) <= 1);
    QVERIFY(qAbs(started.picture2->geometry().bottom() - inner.bottom()) <= 1);
}

void TestViewport::newPictureKeepsOrResetsTheView_data()
{
    QTest::addColumn<QSize>("next");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<bool>("kept");
    QTest::newRow("same size: zoom and place kept") << QSize(2288, 2288) << false << true;
    QTest::newRow("another size: 100 % at the top-left") << QSize(1400, 1100) << false << false;
    QTest::newRow("fit mode: fitted again") << QSize(1400, 1100) << true << false;
}

void TestViewport::newPictureKeepsOrResetsTheView()
{
    QFETCH(QSize, next);
    QFETCH(bool, fit);
    QFETCH(bool, kept);
    Started started;
    QVERIFY(started.window.showActive());
    started.present(2288, 2288);
    if (fit)
        started.window.viewport()->fitToViewport();
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(&started.window, Qt::Key_Equal, Qt::ControlModifier);
    if (fit)
        started.window.viewport()->fitToViewport();
    started.hScroll1->setValue(started.hScroll1->maximum() / 2);
    started.vScroll1->setValue(started.vScroll1->maximum() / 3);
    const double zoom = started.picture2->zoom();
    const int h = started.hScroll1->value();
    const int v = started.vScroll1->value();

    started.present(next.width(), next.height());
    if (kept) {
        QCOMPARE(started.picture2->zoom(), zoom);
        QCOMPARE(started.hScroll1->value(), h);
        QCOMPARE(started.vScroll1->value(), v);
    } else if (fit) {
        QVERIFY(started.picture1->innerArea()->rect().contains(started.picture2->geometry()));
    } else {
        QCOMPARE(started.picture2->zoom(), 1.0);
        QCOMPARE(started.picture2->pos(), QPoint(0, 0));
    }
}

void TestViewport::dragPansByTheDraggedDistanceWhenZoomed()
{
    Started started;
    QVERIFY(started.window.showActive());
    started.present(2288, 2288);
    QTest::keyClick(&started.window, Qt::Key_Equal, Qt::ControlModifier);
    started.hScroll1->setValue(int(twips::fromPixels(500)));
    started.vScroll1->setValue(int(twips::fromPixels(500)));
    const QPoint before = started.picture2->pos();
    QWidget *surface = started.picture2->innerArea();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(600, 600));
    QCOMPARE(surface->parentWidget()->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(700, 550), surface->mapToGlobal(QPointF(700, 550)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(700, 550));
    QCOMPARE(started.picture2->pos(), before + QPoint(100, -50));
    QCOMPARE(surface->parentWidget()->cursor().shape(), Qt::OpenHandCursor);
}

QTEST_MAIN(TestViewport)
#include "tst_viewport.moc"
