#include "query/listinteger.h"

#include "failure.h"
#include "query/spaces.h"
#include "said.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace veltaro {

ListInteger toListInteger(std::string_view text, std::string_view field)
{
    std::string_view digits = trimSpaces(text);
    if (digits.empty())
        throw ConversionFailure(filled(said("listinteger", "未选择%1"), {said("field", std::string(field).c_str())}));

    const bool negative = digits.front() == '-';
    if (digits.front() == '-' || digits.front() == '+')
        digits.remove_prefix(1);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        throw ConversionFailure(
            filled(said("listinteger", "%1“%2”不是数字"), {said("field", std::string(field).c_str()), std::string(text)}));

    unsigned long long magnitude = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (result.ec != std::errc() || magnitude > 32768)
        throw ConversionFailure(
            filled(said("listinteger", "%1“%2”超出范围"), {said("field", std::string(field).c_str()), std::string(text)}));
    const long long value =
        negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (value < std::numeric_limits<ListInteger>::min() ||
        value > std::numeric_limits<ListInteger>::max())
        throw ConversionFailure(
            filled(said("listinteger", "%1“%2”超出范围"), {said("field", std::string(field).c_str()), std::string(text)}));
    return static_cast<ListInteger>(value);
}

ListInteger addListIntegers(ListInteger a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    if (sum < std::numeric_limits<ListInteger>::min() ||
        sum > std::numeric_limits<ListInteger>::max())
        throw OverflowFailure(said("listinteger", "时刻换算溢出：") + std::to_string(a) + " + " + std::to_string(b));
    return static_cast<ListInteger>(sum);
}

} // namespace veltaro
