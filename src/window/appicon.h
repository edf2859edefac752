#pragma once

#include <QIcon>

namespace veltaro {

// The program's icon at 16, 32 and 48 pixels, from the images the build rendered; each image
// is read only when something asks for it.
QIcon appIcon();

} // namespace veltaro
