#pragma once

#include "query/listinteger.h"

#include <string>

namespace veltaro {

// The two-digit formatter: 0..9 become "00".."09", larger values their plain decimal text.
// A negative n gives "0" followed by its text ("0-1"); no value from the lists leads there.
std::string Hypotenuse(ListInteger n);

} // namespace veltaro
