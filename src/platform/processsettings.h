#pragma once

namespace veltaro {

// Settings that hold for the whole process, made once at start-up before any window exists:
// the proxy for every transfer and the largest picture any decoder may allocate.
void applyProcessSettings();

} // namespace veltaro
