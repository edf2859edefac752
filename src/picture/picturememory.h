#pragma once

// Memory for large decoded pictures. A 2288² picture is 21 MB; touching that much fresh memory
// page by page costs tens of milliseconds on a virtual machine, so where the kernel offers
// transparent huge pages the buffer is aligned to them and asks for them.

#include <QImage>

namespace veltaro {

// A picture of the given size and format whose memory is its own; null when there is no memory.
QImage largePicture(int width, int height, QImage::Format format);

} // namespace veltaro
