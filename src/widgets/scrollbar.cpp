#include "widgets/scrollbar.h"

#include "widgets/focusframe.h"

#include <QKeyEvent>

#include <algorithm>

namespace veltaro {

ScrollBar::ScrollBar(Qt::Orientation orientation, int arrowStep, int pageStep, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    setRange(0, 0);
    setSingleStep(arrowStep);
    setPageStep(pageStep);
    // Without tracking, a dragged thumb changes Value only when it is released.
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::changed);
}

void ScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (hasFocus())
        drawFocusFrame(this, 2);
}

void ScrollBar::keyPressEvent(QKeyEvent *event)
{
    // Qt's horizontal bar leaves Left and Right to others; this one moves with them.
    if (orientation() == Qt::Horizontal &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        triggerAction(event->key() == Qt::Key_Left ? SliderSingleStepSub : SliderSingleStepAdd);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}

void ScrollBar::setMin(int min)
{
    m_min = min;
    applyRange();
}

void ScrollBar::setMax(int max)
{
    m_max = max;
    applyRange();
}

void ScrollBar::applyRange()
{
    // QScrollBar itself keeps no reversed range; a reversed one scrolls nothing.
    setRange(m_min, std::max(m_min, m_max));
}

} // namespace veltaro
