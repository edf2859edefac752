#pragma once

#include <QIcon>

namespace veltaro {

// The sizes the window carries; the install adds the larger ones for the desktop.
inline constexpr int kAppIconSizes[] = {16, 32, 48};

// The program's icon from the images embedded in the executable; each image is read only when
// something asks for it.
QIcon appIcon();

} // namespace veltaro
