#pragma once

#include <string_view>

namespace veltaro {

// The text without its leading and trailing spaces (spaces only, not other white space).
std::string_view trimSpaces(std::string_view text);

} // namespace veltaro
