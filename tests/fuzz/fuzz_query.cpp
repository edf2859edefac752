// Any four list texts end in a request, no request, or one of the program's failures.
#include "failure.h"
#include "query/imagerequest.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string_view>

// The seeds separate the four texts with a backslash and one more byte, which is how
// ConsumeRandomLengthString ends a string: "8\\-07\\-18\\-10" is 8, 07, 18, 10.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    veltaro::QueryTime time;
    time.year = input.ConsumeRandomLengthString(12);
    time.month = input.ConsumeRandomLengthString(12);
    time.day = input.ConsumeRandomLengthString(12);
    time.hour = input.ConsumeRemainingBytesAsString();

    try {
        const auto request = veltaro::ToUtcRequest(time);
        if (!request)
            return 0;
        const veltaro::ImageRequest built = veltaro::BuildImageUrl(*request);
        // The hour is always two or more characters; the name never starts or ends in a space.
        const std::string_view name = built.name;
        if (request->hour.size() < 2 ||
            (!name.empty() && (name.front() == ' ' || name.back() == ' ')))
            std::abort();
        const std::string_view address = built.address;
        if (!address.starts_with("http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/") ||
            !address.ends_with("00.jpg"))
            std::abort();
    } catch (const veltaro::ConversionFailure &) {
    } catch (const veltaro::OverflowFailure &) {
    }
    return 0;
}
