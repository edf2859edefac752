#pragma once

// The program's knowledge of time and of the image archive's naming. The four texts picked in
// the lists (a moment in Beijing time, UTC+8) become the UTC request fields, and those the
// image's name and address. No input or output of its own; failures are thrown (failure.h).

#include <optional>
#include <string>

namespace veltaro {

// The image archive's host; the address is "http://" + host + kImagePath + name + kNameSuffix.
inline constexpr const char *kImageHost = "www.nsmc.org.cn";
inline constexpr const char *kImagePath = "/is_nsmc/product_app/imagesGMS5/NL/";
inline constexpr const char *kNameSuffix = "00.jpg";

// The four list texts exactly as shown: the year's last digit ("6".."9"), "01".."12",
// "01".."31" and "00".."23", in Beijing time. Any of them may be empty.
struct QueryTime
{
    std::string year;
    std::string month;
    std::string day;
    std::string hour;
};

// The UTC moment's fields as texts, then the name and address built from them.
struct ImageRequest
{
    std::string year;
    std::string month;
    std::string day;
    std::string hour;
    std::string name;
    std::string address;
};

// No request when the hour lies outside 0..23. Converts only the texts its path needs; the
// rest pass through unchanged. Throws ConversionFailure or OverflowFailure.
std::optional<ImageRequest> ToUtcRequest(const QueryTime &time);

// Fills in the request's name and address.
ImageRequest BuildImageUrl(ImageRequest request);

} // namespace veltaro
