#pragma once

namespace veltaro {

// Settings that hold for the whole process, made once at start-up before any window exists:
// the largest picture any of Qt's image readers may allocate.
void applyProcessSettings();

} // namespace veltaro
