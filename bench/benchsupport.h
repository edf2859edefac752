#pragma once

#include <vector>

namespace veltaro {
class Formmain;
}

// The median of a run of timings.
double median(std::vector<double> values);

// Qt's offscreen platform unless a display was chosen; call before the application is made.
void useOffscreenWithoutDisplay();

// Picks 2008, 07, 18, 10 in the window's four lists, as a person would before pressing "显示".
void pickMoment(veltaro::Formmain &window);
