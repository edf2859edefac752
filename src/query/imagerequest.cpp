#include "query/imagerequest.h"

#include "query/hypotenuse.h"
#include "query/listinteger.h"
#include "query/spaces.h"
#include "said.h"

namespace veltaro {

namespace {

// The lists' names in a reason ("未选择小时"), said in the user's language where they are used.
constexpr const char *kHourField = SAID_LATER("field", "小时");
constexpr const char *kDayField = SAID_LATER("field", "日");
constexpr const char *kMonthField = SAID_LATER("field", "月");
constexpr const char *kYearField = SAID_LATER("field", "年");

// Steps back from the first of a month to the last day of the month before. A month value
// outside 1..12 leaves year, month and day empty.
void stepBackOverMonthStart(const QueryTime &time, ImageRequest &request)
{
    const ListInteger month = toListInteger(time.month, kMonthField);
    switch (month) {
    case 1:
        request.year = std::to_string(addListIntegers(toListInteger(time.year, kYearField), -1));
        request.month = "12";
        request.day = "31";
        break;
    case 3: {
        // The year is a single digit, so the plain multiple-of-4 rule is the whole leap rule.
        const ListInteger year = toListInteger(time.year, kYearField);
        request.year = time.year;
        request.month = "02";
        request.day = year % 4 == 0 ? "29" : "28";
        break;
    }
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12: {
        // The month before May, July, October and December has 30 days; the others, 31.
        const bool thirtyDaysBefore = month == 5 || month == 7 || month == 10 || month == 12;
        request.year = time.year;
        request.month = Hypotenuse(addListIntegers(month, -1));
        request.day = thirtyDaysBefore ? "30" : "31";
        break;
    }
    default:
        break;
    }
}

} // namespace

std::optional<ImageRequest> ToUtcRequest(const QueryTime &time)
{
    const ListInteger hour = toListInteger(time.hour, kHourField);
    if (hour > 23 || hour < 0)
        return std::nullopt;

    ImageRequest request;
    ListInteger utcHour = 0;
    if (hour >= 8) {
        utcHour = addListIntegers(hour, -8);
        request.year = time.year;
        request.month = time.month;
        request.day = time.day;
    } else {
        // Before 08:00 in Beijing it is still the previous calendar day in UTC.
        utcHour = addListIntegers(hour, 16);
        const ListInteger day = toListInteger(time.day, kDayField);
        if (day != 1) {
            request.year = time.year;
            request.month = time.month;
            request.day = Hypotenuse(addListIntegers(day, -1));
        } else {
            stepBackOverMonthStart(time, request);
        }
    }
    request.hour = Hypotenuse(utcHour);
    return request;
}

ImageRequest BuildImageUrl(ImageRequest request)
{
    request.name =
        std::string(trimSpaces(request.year + request.month + request.day + request.hour));
    request.address = std::string("http://") + kImageHost + kImagePath + request.name + kNameSuffix;
    return request;
}

} // namespace veltaro
