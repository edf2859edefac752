#include "widgets/viewport.h"

#include "failure.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

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
        throw OverflowFailure("图像尺寸超出滚动范围");
    return static_cast<int>(rounded);
}

// One wheel notch (120 units of angle) moves a bar by its arrow step.
constexpr int kWheelNotch = 120;

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
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool Viewport::key(QKeyEvent *event)
{
    // Up and Down, Page Up and Page Down, Home and End move the vertical bar; Left and Right,
    // and the same keys with Shift, the horizontal one. Always through the bar's Value.
    struct KeyAction
    {
        int key;
        QAbstractSlider::SliderAction action;
        bool horizontal;
    };
    static constexpr KeyAction kKeys[] = {
        {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub, true},
        {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd, true},
        {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub, false},
        {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd, false},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub, false},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd, false},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum, false},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum, false},
    };
    for (const KeyAction &entry : kKeys) {
        if (entry.key != event->key() ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            continue;
        ScrollBar *bar =
            entry.horizontal || (event->modifiers() & Qt::ShiftModifier) ? m_hScroll1 : m_vScroll1;
        if (bar->isEnabled())
            bar->triggerAction(entry.action);
        return true;
    }
    return false;
}

bool Viewport::wheel(QEvent *event)
{
    const auto *wheelEvent = static_cast<QWheelEvent *>(event);
    QPoint delta = wheelEvent->angleDelta();
    // Shift turns a vertical wheel into a horizontal one.
    if (wheelEvent->modifiers() & Qt::ShiftModifier)
        delta = QPoint(delta.y() + delta.x(), 0);
    m_wheelRemainder += delta;

    const auto move = [](ScrollBar *bar, int &remainder) {
        const int notches = remainder / kWheelNotch;
        remainder -= notches * kWheelNotch;
        if (notches != 0 && bar->isEnabled())
            bar->setValue(bar->value() - notches * bar->singleStep());
    };
    move(m_hScroll1, m_wheelRemainder.rx());
    move(m_vScroll1, m_wheelRemainder.ry());
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
        return true;
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        // Dragging the picture left reveals what lies right of it: the bar moves the other way.
        const QPoint moved = mouse->globalPosition().toPoint() - m_dragStart;
        if (m_hScroll1->isEnabled())
            m_hScroll1->setValue(m_dragStartH - static_cast<int>(twips::fromPixels(moved.x())));
        if (m_vScroll1->isEnabled())
            m_vScroll1->setValue(m_dragStartV - static_cast<int>(twips::fromPixels(moved.y())));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging || mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

} // namespace veltaro
