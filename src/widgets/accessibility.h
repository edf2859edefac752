#pragma once

// What assistive technology (AT-SPI on Linux) is told of this folder's widgets beyond Qt's own:
// a picture box is an image described by the moment it shows; a pick list keeps its name
// whatever is picked and tells the picked item, prefix included, as its value.

namespace veltaro {

// Once, after the application object exists.
void installAccessibility();

} // namespace veltaro
