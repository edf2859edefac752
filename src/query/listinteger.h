#pragma once

// List integers: the texts of the four lists read as 16-bit signed numbers, and the 16-bit
// arithmetic done on them. Both fail instead of wrapping.

#include <cstdint>
#include <string_view>

namespace veltaro {

using ListInteger = std::int16_t;

// Reads plain decimal digits with an optional sign, surrounded by optional spaces ("08" is 8).
// `field` names the list in the failure's reason. Throws ConversionFailure.
ListInteger toListInteger(std::string_view text, std::string_view field);

// a + b in 16-bit signed arithmetic. Throws OverflowFailure when the result leaves the range.
ListInteger addListIntegers(ListInteger a, int b);

} // namespace veltaro
