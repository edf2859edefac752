#pragma once

class QWidget;

namespace veltaro {

// Draws the keyboard focus as a frame in the highlight colour along the widget's edge, `width`
// pixels wide; call from the widget's paintEvent, after its own painting, when it has the focus.
void drawFocusFrame(QWidget *widget, int width);

} // namespace veltaro
