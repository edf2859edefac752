#include "widgets/focusframe.h"

#include <QPainter>
#include <QWidget>

namespace veltaro {

void drawFocusFrame(QWidget *widget, int width)
{
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), width));
    const qreal inset = width / 2.0;
    painter.drawRect(QRectF(widget->rect()).adjusted(inset, inset, -inset, -inset));
}

} // namespace veltaro
