#pragma once

class QRect;
class QWidget;

namespace veltaro {

// Draws the keyboard focus as a frame in the highlight colour along the widget's edge, `width`
// pixels wide; call from the widget's paintEvent, after its own painting, when it has the focus.
void drawFocusFrame(QWidget *widget, int width);
// The same frame along `along`, a part of the widget (the part of it that can be seen).
void drawFocusFrame(QWidget *widget, const QRect &along, int width);

} // namespace veltaro
