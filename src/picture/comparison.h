#pragma once

#include <QImage>

#include <array>

namespace veltaro::comparison {

// Two pictures of the same place at two moments, A and B, made into one: B over A at an
// opacity, A left of a divider and B right of it, the difference of their grey levels through a
// diverging table, or the two side by side. Every result is worked out in whole numbers, the
// same on every processor. A and B must have the same size; else PictureFailure says so.
// Running out of memory raises EncodeFailure.

// B over A, `percent` of B (0 to 100): each channel (A × (100 − p) + B × p) / 100, rounded.
QImage fade(const QImage &a, const QImage &b, int percent);

// A's columns left of `divider`, B's from it on (clamped to the picture).
QImage swipe(const QImage &a, const QImage &b, int divider);

// B − A in grey levels, halved onto 0..255 with no change at 128: an 8-bit picture whose colour
// table is differenceTable().
QImage difference(const QImage &a, const QImage &b);
// The level a difference of `delta` grey levels (−255..255) takes in difference().
int differenceLevel(int delta);
// White where nothing changed, deepening to blue where B is brighter (colder cloud tops in an
// infrared picture) and to red where it is darker.
std::array<QRgb, 256> differenceTable();

// A and B beside each other (Qt::Horizontal) or A above B (Qt::Vertical), `gap` pixels apart.
QImage sideBySide(const QImage &a, const QImage &b, Qt::Orientation orientation, int gap);

} // namespace veltaro::comparison
