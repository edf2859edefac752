#include "widgets/focusframe.h"

#include <QPainter>
#include <QWidget>

namespace veltaro {

void drawFocusFrame(QWidget *widget, int width)
{
    drawFocusFrame(widget, widget->rect(), width);
}

void drawFocusFrame(QWidget *widget, const QRect &along, int width)
{
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), width));
    const qreal inset = width / 2.0;
    painter.drawRect(QRectF(along).adjusted(inset, inset, -inset, -inset));
}

} // namespace veltaro
