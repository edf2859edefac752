#include "widgets/legendbar.h"

#include <QPainter>

namespace veltaro {

LegendBar::LegendBar(QWidget *parent) : QWidget(parent)
{
    for (int level = 0; level < 256; ++level)
        m_colours[size_t(level)] = qRgb(level, level, level);
    setAccessibleName(QStringLiteral("色标"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void LegendBar::setColours(const std::array<QRgb, 256> &colours)
{
    m_colours = colours;
    update();
}

// As tall as a line of buttons: a thin bar over the level numbers.
QSize LegendBar::sizeHint() const
{
    return {256, fontMetrics().height() + 6};
}

QSize LegendBar::minimumSizeHint() const
{
    return {128, fontMetrics().height() + 6};
}

void LegendBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int barHeight = height() - metrics.height();
    const int margin = metrics.horizontalAdvance(QStringLiteral("255")) / 2 + 1;
    const int barWidth = std::max(1, width() - 2 * margin);
    for (int x = 0; x < barWidth; ++x) {
        const int level = x * 256 / barWidth;
        painter.fillRect(margin + x, 0, 1, barHeight, QColor(m_colours[size_t(std::min(level, 255))]));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    for (int level = 0; level <= 256; level += 64) {
        const int shown = std::min(level, 255);
        const int x = margin + shown * barWidth / 255;
        painter.drawLine(x, barHeight - 3, x, barHeight);
        const QString text = QString::number(shown);
        painter.drawText(x - metrics.horizontalAdvance(text) / 2, height() - metrics.descent(), text);
    }
}

} // namespace veltaro
