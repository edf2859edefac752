#include "widgets/legendbar.h"

#include <QPainter>

namespace veltaro {

LegendBar::LegendBar(QWidget *parent) : QWidget(parent)
{
    for (int level = 0; level < 256; ++level)
        m_colours[size_t(level)] = qRgb(level, level, level);
    setAccessibleName(tr("色标"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void LegendBar::setColours(const std::array<QRgb, 256> &colours)
{
    m_colours = colours;
    update();
}

int LegendBar::margin() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("255")) / 2 + 1;
}

int LegendBar::numberCentre(int level) const
{
    const int barWidth = std::max(1, width() - 2 * margin());
    return margin() + level * barWidth / 255;
}

QList<int> LegendBar::numberedLevels() const
{
    // Every 64 levels where the numbers stand apart, else every 128, else the ends only.
    const int room = fontMetrics().horizontalAdvance(QStringLiteral("255 "));
    int step = 64;
    while (step < 256 && numberCentre(step) - numberCentre(0) < room)
        step *= 2;
    QList<int> levels;
    for (int level = 0; level <= 256; level += step)
        levels << std::min(level, 255);
    return levels;
}

// As tall as a line of buttons: a thin bar, its ticks, and the level numbers under them.
QSize LegendBar::sizeHint() const
{
    return {256, fontMetrics().height() + kBarHeight + kTickLength};
}

QSize LegendBar::minimumSizeHint() const
{
    return {128, sizeHint().height()};
}

void LegendBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int barWidth = std::max(1, width() - 2 * margin());
    for (int x = 0; x < barWidth; ++x) {
        const int level = x * 256 / barWidth;
        painter.fillRect(margin() + x, 0, 1, kBarHeight, QColor(m_colours[size_t(std::min(level, 255))]));
    }
    // The ticks between the bar and the numbers, never through them.
    painter.setPen(palette().color(QPalette::WindowText));
    for (const int shown : numberedLevels()) {
        const int x = numberCentre(shown);
        painter.drawLine(x, kBarHeight, x, kBarHeight + kTickLength - 1);
        const QString text = QString::number(shown);
        painter.drawText(x - metrics.horizontalAdvance(text) / 2,
                         kBarHeight + kTickLength + metrics.ascent(), text);
    }
}

} // namespace veltaro
