#include "widgets/viewport.h"

#include "failure.h"
#include "said.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltaro {

namespace {

// A difference of two sizes as a scroll range: rounded to the nearest whole twip, a half to
// the even neighbour.
int rangeFromDifference(float difference)
{
    const double rounded = std::nearbyint(static_cast<double>(difference));
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<int>::min() ||
        rounded > std::numeric_limits<int>::max())
        throw OverflowFailure(said("veltaro::Viewport", "图像尺寸超出滚动范围"));
    return static_cast<int>(rounded);
}

// One wheel notch is 120 units of angle.
constexpr int kWheelNotch = 120;
// Page Up and Page Down move nearly a viewport's height, so that a line stays in sight.
constexpr double kPageShare = 0.9;

int twipsOf(double pixels)
{
    return static_cast<int>(std::lround(pixels * twips::perPixel()));
}

} // namespace

Viewport::Viewport(PictureBox *picture1, PictureBox *picture2, ScrollBar *hScroll1,
                   ScrollBar *vScroll1, QObject *parent)
    : QObject(parent), m_picture1(picture1), m_picture2(picture2), m_hScroll1(hScroll1),
      m_vScroll1(vScroll1)
{
    connect(m_hScroll1, &ScrollBar::changed, this, &Viewport::HScroll1_Change);
    connect(m_vScroll1, &ScrollBar::changed, this, &Viewport::VScroll1_Change);
    for (QObject *watched : std::initializer_list<QObject *>{m_picture1, m_picture1->innerArea(),
                                                             m_picture2, m_picture2->innerArea()})
        watched->installEventFilter(this);
}

void Viewport::UpdateScrollRanges()
{
    m_vScroll1->setMin(0);
    m_hScroll1->setMin(0);
    // A picture is seen through the viewport's inner area, inside its frame: with both bars at
    // their ends its last column and row show. Before any picture the two boxes are as large as
    // each other and there is nothing to scroll to.
    const bool picture = m_picture2->hasPicture();
    const float visibleHeight =
        picture ? m_picture1->innerHeightTwips() : m_picture1->heightTwips();
    const float visibleWidth = picture ? m_picture1->innerWidthTwips() : m_picture1->widthTwips();
    m_vScroll1->setMax(rangeFromDifference(m_picture2->heightTwips() - visibleHeight));
    m_hScroll1->setMax(rangeFromDifference(m_picture2->widthTwips() - visibleWidth));
    // A bar disabled for a small picture comes back for a larger one.
    m_hScroll1->setEnabled(m_hScroll1->max() >= 0);
    m_vScroll1->setEnabled(m_vScroll1->max() >= 0);
    showGrabCursor();
}

void Viewport::showGrabCursor()
{
    // An open hand over a picture that can be dragged, a closed one while it is.
    const bool movable = m_picture2->hasPicture() && (m_hScroll1->max() > 0 || m_vScroll1->max() > 0);
    if (m_dragging)
        m_picture2->setCursor(Qt::ClosedHandCursor);
    else if (movable)
        m_picture2->setCursor(Qt::OpenHandCursor);
    else
        m_picture2->unsetCursor();
}

double Viewport::zoom() const
{
    return m_picture2->zoom();
}

QSize Viewport::innerPixels() const
{
    return QSize(twips::toPixels(m_picture1->innerWidthTwips()),
                 twips::toPixels(m_picture1->innerHeightTwips()));
}

QPointF Viewport::centre() const
{
    return QPointF(innerPixels().width() / 2.0, innerPixels().height() / 2.0);
}

double Viewport::fitZoom() const
{
    // In device pixels, inside the image box's own frame; a picture that fits already is not
    // enlarged.
    const QSize picture = m_picture2->pictureSize();
    if (picture.isEmpty())
        return 1;
    const double ratio = m_picture2->devicePixelRatioF();
    const int frame = 2 * m_picture2->frameWidth();
    const QSize room = innerPixels() - QSize(frame, frame);
    return std::min({1.0, room.width() * ratio / picture.width(),
                     room.height() * ratio / picture.height()});
}

void Viewport::setZoom(double zoom, QPointF anchor)
{
    if (!m_picture2->hasPicture())
        return;
    // Never smaller than the whole picture needs (or 1/8, for a picture that fits at more), and
    // however narrow the picture, its fit is within reach.
    zoom = std::clamp(zoom, std::min({1.0, fitZoom(), std::max(fitZoom(), kSmallestZoom)}),
                      kLargestZoom);
    const double before = m_picture2->zoom();
    if (zoom != before) {
        // The image point under the anchor, in image pixels, before and after.
        const double ratio = m_picture2->devicePixelRatioF();
        const QPointF frame(m_picture2->frameWidth(), m_picture2->frameWidth());
        const QPointF scrolled(m_hScroll1->value() / twips::perPixel(),
                               m_vScroll1->value() / twips::perPixel());
        const QPointF imagePoint = (anchor + scrolled - frame) * ratio / before;
        m_picture2->setZoom(zoom);
        try {
            UpdateScrollRanges();
        } catch (const Failure &) {
            // Ranges the bars cannot hold: that zoom is not offered.
            m_picture2->setZoom(before);
            UpdateScrollRanges();
            return;
        }
        const QPointF wanted = imagePoint * zoom / ratio + frame - anchor;
        m_hScroll1->setValue(twipsOf(wanted.x()));
        m_vScroll1->setValue(twipsOf(wanted.y()));
        placeImageBox();
    }
    emit zoomChanged(m_picture2->zoom(), m_fit);
}

void Viewport::zoomIn()
{
    m_fit = false;
    const double now = zoom();
    double next = now * kZoomStep;
    if (now < 1 && next > 1)
        next = 1; // 100 % is always one of the steps
    setZoom(next, centre());
}

void Viewport::zoomOut()
{
    m_fit = false;
    const double now = zoom();
    double next = now / kZoomStep;
    if (now > 1 && next < 1)
        next = 1;
    const double fit = fitZoom();
    if (now > fit && next < fit)
        next = fit;
    setZoom(next, centre());
}

void Viewport::showActualSize()
{
    m_fit = false;
    setZoom(1, centre());
}

void Viewport::fitToViewport()
{
    m_fit = true;
    if (!m_picture2->hasPicture()) {
        // No picture yet: the first one to come is fitted.
        emit zoomChanged(m_picture2->zoom(), m_fit);
        return;
    }
    setZoom(fitZoom(), QPointF());
    m_hScroll1->setValue(0);
    m_vScroll1->setValue(0);
    placeImageBox();
}

void Viewport::placeImageBox()
{
    // Fitted, a picture smaller than the viewport stands in its centre; otherwise the bars
    // place it.
    const auto centred = [](float room, float box) { return std::max(0.0f, (room - box) / 2); };
    if (m_fit && m_picture2->hasPicture()) {
        m_picture2->setLeftTwips(std::round(
            centred(m_picture1->innerWidthTwips(), m_picture2->widthTwips())));
        m_picture2->setTopTwips(std::round(
            centred(m_picture1->innerHeightTwips(), m_picture2->heightTwips())));
    } else {
        HScroll1_Change();
        VScroll1_Change();
    }
}

void Viewport::pictureReplaced(QSize shownBefore)
{
    if (m_fit) {
        m_picture2->setZoom(fitZoom());
        m_hScroll1->setValue(0);
        m_vScroll1->setValue(0);
        placeImageBox();
    } else if (m_picture2->pictureSize() != shownBefore && m_picture2->zoom() != 1) {
        // A zoom chosen for another picture: this one starts at 100 % at its top-left corner.
        m_picture2->setZoom(1);
        m_hScroll1->setValue(0);
        m_vScroll1->setValue(0);
    }
    emit zoomChanged(m_picture2->zoom(), m_fit);
}

void Viewport::panByPixels(QPoint pixels)
{
    if (pixels.x() != 0 && m_hScroll1->isEnabled())
        m_hScroll1->setValue(m_hScroll1->value() + twipsOf(pixels.x()));
    if (pixels.y() != 0 && m_vScroll1->isEnabled())
        m_vScroll1->setValue(m_vScroll1->value() + twipsOf(pixels.y()));
}

void Viewport::HScroll1_Change()
{
    m_picture2->setLeftTwips(static_cast<float>(-m_hScroll1->value()));
}

void Viewport::VScroll1_Change()
{
    m_picture2->setTopTwips(static_cast<float>(-m_vScroll1->value()));
}

bool Viewport::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        return wheel(event);
    case QEvent::KeyPress:
        return key(static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return drag(event);
    case QEvent::Resize:
        // A viewport of another size shows a fitted picture whole again.
        if (watched == m_picture1 && m_fit && m_picture2->hasPicture())
            fitToViewport();
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool Viewport::key(QKeyEvent *event)
{
    // Up and Down, Page Up and Page Down, Home and End move the picture vertically; Left and
    // Right, and the same keys with Shift, horizontally. A line is what a wheel notch moves,
    // a page nearly the viewport's height (or width). Always through the bars' Value.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int line = QApplication::wheelScrollLines() * m_picture1->fontMetrics().lineSpacing();
    const QSize page = innerPixels() * kPageShare;
    const auto along = [shift](int pixels, bool horizontal) {
        return horizontal || shift ? QPoint(pixels, 0) : QPoint(0, pixels);
    };
    switch (event->key()) {
    case Qt::Key_Left:
        panByPixels(QPoint(-line, 0));
        return true;
    case Qt::Key_Right:
        panByPixels(QPoint(line, 0));
        return true;
    case Qt::Key_Up:
        panByPixels(along(-line, false));
        return true;
    case Qt::Key_Down:
        panByPixels(along(line, false));
        return true;
    case Qt::Key_PageUp:
        panByPixels(along(-(shift ? page.width() : page.height()), false));
        return true;
    case Qt::Key_PageDown:
        panByPixels(along(shift ? page.width() : page.height(), false));
        return true;
    case Qt::Key_Home:
    case Qt::Key_End: {
        ScrollBar *bar = shift ? m_hScroll1 : m_vScroll1;
        if (bar->isEnabled())
            bar->triggerAction(event->key() == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                            : QAbstractSlider::SliderToMaximum);
        return true;
    }
    default:
        return false;
    }
}

bool Viewport::wheel(QEvent *event)
{
    const auto *wheelEvent = static_cast<QWheelEvent *>(event);
    QPoint delta = wheelEvent->angleDelta();
    if (wheelEvent->modifiers() & Qt::ControlModifier) {
        // Zoom around the point under the pointer, a step per notch; a touchpad's or a smooth
        // wheel's part of a notch zooms by its part of a step.
        const int angle = delta.y() != 0 ? delta.y() : delta.x();
        if (angle != 0) {
            m_fit = false;
            const QPointF anchor =
                m_picture1->innerArea()->mapFromGlobal(wheelEvent->globalPosition());
            setZoom(zoom() * std::pow(kZoomStep, double(angle) / kWheelNotch), anchor);
        }
        return true;
    }
    // Shift turns a vertical wheel into a horizontal one.
    if (wheelEvent->modifiers() & Qt::ShiftModifier)
        delta = QPoint(delta.y() + delta.x(), 0);
    m_wheelRemainder += delta;
    const int line = QApplication::wheelScrollLines() * m_picture1->fontMetrics().lineSpacing();
    const QPoint notches(m_wheelRemainder.x() / kWheelNotch, m_wheelRemainder.y() / kWheelNotch);
    m_wheelRemainder -= notches * kWheelNotch;
    panByPixels(-notches * line);
    return true;
}

bool Viewport::drag(QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton || !m_picture2->hasPicture())
            return false;
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
        m_dragStartH = m_hScroll1->value();
        m_dragStartV = m_vScroll1->value();
        m_picture1->setFocus(Qt::MouseFocusReason);
        showGrabCursor();
        return true;
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        // Dragging the picture left reveals what lies right of it: the bar moves the other way.
        const QPoint moved = mouse->globalPosition().toPoint() - m_dragStart;
        if (m_hScroll1->isEnabled())
            m_hScroll1->setValue(m_dragStartH - twipsOf(moved.x()));
        if (m_vScroll1->isEnabled())
            m_vScroll1->setValue(m_dragStartV - twipsOf(moved.y()));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging || mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = false;
        showGrabCursor();
        return true;
    default:
        return false;
    }
}

} // namespace veltaro
