#include "platform/scrollbar.h"

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
