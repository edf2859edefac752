#pragma once

#include <string>

namespace veltaro {

// What a failed system call's errno means, in the words the status line's tooltip uses.
std::string systemErrorText(int error);

} // namespace veltaro
