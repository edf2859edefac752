#include "query/moment.h"

#include "query/hypotenuse.h"

#include <algorithm>
#include <chrono>

namespace veltaro {

namespace {

using namespace std::chrono;

constexpr int kFirstYear = 2006;
constexpr int kLastYear = 2009;

// A list item's number: exactly two digits ("07"), or one for the year digit.
std::optional<int> itemNumber(const std::string &text, std::size_t digits)
{
    if (text.size() != digits)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

sys_time<hours> timeOf(const Moment &moment)
{
    return sys_days(year(moment.year) / month(unsigned(moment.month)) / day(unsigned(moment.day))) +
           hours(moment.hour);
}

} // namespace

std::optional<Moment> momentOf(const QueryTime &texts)
{
    const auto digit = itemNumber(texts.year, 1);
    const auto monthNumber = itemNumber(texts.month, 2);
    const auto dayNumber = itemNumber(texts.day, 2);
    const auto hourNumber = itemNumber(texts.hour, 2);
    if (!digit || !monthNumber || !dayNumber || !hourNumber || *hourNumber > 23)
        return std::nullopt;
    const Moment moment{2000 + *digit, *monthNumber, *dayNumber, *hourNumber};
    const year_month_day date(year(moment.year), month(unsigned(moment.month)),
                              day(unsigned(moment.day)));
    if (!date.ok() || moment.year < kFirstYear || moment.year > kLastYear)
        return std::nullopt;
    return moment;
}

std::optional<Moment> steppedBy(const Moment &moment, int hoursLater)
{
    const sys_time<hours> later = timeOf(moment) + hours(hoursLater);
    const sys_days date = floor<days>(later);
    const year_month_day ymd(date);
    const int yearNumber = int(ymd.year());
    if (yearNumber < kFirstYear || yearNumber > kLastYear)
        return std::nullopt;
    return Moment{yearNumber, int(unsigned(ymd.month())), int(unsigned(ymd.day())),
                  int((later - date).count())};
}

QueryTime textsOf(const Moment &moment)
{
    return {std::to_string(moment.year % 10), Hypotenuse(ListInteger(moment.month)), Hypotenuse(ListInteger(moment.day)),
            Hypotenuse(ListInteger(moment.hour))};
}

std::string fieldsText(const std::string &yearDigit, const std::string &month,
                       const std::string &day, const std::string &hour)
{
    return "200" + yearDigit + "-" + month + "-" + day + " " + hour + ":00";
}

std::string pickedText(const QueryTime &picked)
{
    if (const auto moment = momentOf(picked))
        return momentText(*moment);
    return fieldsText(picked.year, picked.month, picked.day, picked.hour);
}

std::string fileStemOf(const Moment &moment)
{
    return std::to_string(moment.year) + "-" + Hypotenuse(ListInteger(moment.month)) + "-" +
           Hypotenuse(ListInteger(moment.day)) + "_" + Hypotenuse(ListInteger(moment.hour)) + "00";
}

std::string imageAddressOf(const Moment &moment)
{
    const auto request = ToUtcRequest(textsOf(moment));
    return request ? BuildImageUrl(*request).address : std::string();
}

std::vector<Moment> hoursEndingAt(const Moment &end, int hours, int every)
{
    std::vector<Moment> found;
    std::optional<Moment> moment = end;
    for (int back = 0; back < hours && moment; back += std::max(1, every)) {
        found.insert(found.begin(), *moment);
        moment = steppedBy(*moment, -std::max(1, every));
    }
    return found;
}

std::string momentText(const Moment &moment)
{
    return std::to_string(moment.year) + "-" + Hypotenuse(ListInteger(moment.month)) + "-" +
           Hypotenuse(ListInteger(moment.day)) + " " + Hypotenuse(ListInteger(moment.hour)) + ":00";
}

std::string betweenText(const Moment &from, int step, int steps)
{
    if (steps <= 0)
        return momentText(from);
    // Before `from` too: step −1 of 2 is half an hour before it.
    const int hours = step >= 0 ? step / steps : -((-step + steps - 1) / steps);
    const std::optional<Moment> hour = steppedBy(from, hours);
    const std::string text = momentText(hour ? *hour : from);
    return text.substr(0, text.size() - 2) + Hypotenuse(ListInteger((step - hours * steps) * 60 / steps));
}

std::optional<int> hoursAfter(const Moment &from, const Moment &to, int most)
{
    for (int hours = 0; hours <= most; ++hours)
        for (const int sign : {1, -1})
            if (const auto moment = steppedBy(from, sign * hours); moment && *moment == to)
                return sign * hours;
    return std::nullopt;
}

} // namespace veltaro
