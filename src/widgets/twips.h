#pragma once

// Twips, 1/1440 inch: the unit of all geometry the program computes. This is the one place
// that converts them to and from the toolkit's pixels, at 1440 / the screen's logical DPI twips
// per pixel (15 at 96 DPI).

class QWidget;

namespace veltaro {

struct TwipsSize
{
    float width = 0;
    float height = 0;
};

namespace twips {

float perPixel();
int toPixels(float twips);
float fromPixels(int pixels);

// The primary screen's work area: the screen less the desktop's panels.
TwipsSize screenSize();

// Left and Top are relative to the container's inner area; sizes are outer sizes.
void setLeft(QWidget *widget, float left);
void setTop(QWidget *widget, float top);
void setWidth(QWidget *widget, float width);
void setHeight(QWidget *widget, float height);

} // namespace twips
} // namespace veltaro
