#include "widgets/twips.h"

#include "failure.h"
#include "said.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace veltaro::twips {

namespace {

QScreen *primaryScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        throw ControlFailure(said("twips", "没有可用的屏幕"));
    return screen;
}

} // namespace

float perPixel()
{
    static const float factor = [] {
        const qreal dpi = primaryScreen()->logicalDotsPerInch();
        return dpi > 0 ? static_cast<float>(1440.0 / dpi) : 15.0f;
    }();
    return factor;
}

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / perPixel()));
}

float fromPixels(int pixels)
{
    return static_cast<float>(pixels) * perPixel();
}

TwipsSize screenSize()
{
    // A maximized window gets the work area, not the whole screen: the bottom row must lie
    // above the desktop's panels.
    const QSize pixels = primaryScreen()->availableSize();
    return {fromPixels(pixels.width()), fromPixels(pixels.height())};
}

void setLeft(QWidget *widget, float left)
{
    widget->move(toPixels(left), widget->y());
}

void setTop(QWidget *widget, float top)
{
    widget->move(widget->x(), toPixels(top));
}

void setWidth(QWidget *widget, float width)
{
    widget->resize(toPixels(width), widget->height());
}

void setHeight(QWidget *widget, float height)
{
    widget->resize(widget->width(), toPixels(height));
}

} // namespace veltaro::twips
