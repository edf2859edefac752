#pragma once

#include <QImage>

namespace veltaro {

// The program's icon as a drawing: a person's head and shoulders behind a large magnifying
// glass. The build renders it into the icon files that the program and the install carry, so
// no start-up spends time drawing it.
QImage drawAppIcon(int size);

inline constexpr int kAppIconSizes[] = {16, 32, 48};

} // namespace veltaro
