#include "window/icondrawing.h"

#include <QPainter>
#include <QPainterPath>

namespace veltaro {

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Draw on a 48-unit canvas whatever the size.
    painter.scale(size / 48.0, size / 48.0);

    // The person: shoulders, then the head.
    const QColor person(70, 96, 140);
    QPainterPath shoulders;
    shoulders.moveTo(4, 46);
    shoulders.cubicTo(4, 32, 12, 27, 20, 27);
    shoulders.cubicTo(28, 27, 36, 32, 36, 46);
    shoulders.closeSubpath();
    painter.fillPath(shoulders, person);
    painter.setPen(Qt::NoPen);
    painter.setBrush(person);
    painter.drawEllipse(QPointF(20, 16), 8, 9);

    // The magnifying glass over the person's face: a pale lens, a dark rim and a handle.
    const QPointF lens(24, 20);
    painter.setBrush(QColor(190, 225, 255, 130));
    painter.drawEllipse(lens, 13, 13);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 40, 48), 3.5));
    painter.drawEllipse(lens, 13, 13);
    painter.setPen(QPen(QColor(120, 72, 32), 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(34, 30), QPointF(44, 40));
    return image;
}

} // namespace veltaro
