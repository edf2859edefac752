#pragma once

#include <QIcon>
#include <QImage>

namespace veltaro {

// The program's icon, drawn here rather than kept as bitmaps: a person's head and shoulders
// behind a large magnifying glass. The build renders the same drawing into the installed icon
// files.
QImage drawAppIcon(int size);

// The icon at 16, 32 and 48 pixels.
QIcon appIcon();

inline constexpr int kAppIconSizes[] = {16, 32, 48};

} // namespace veltaro
