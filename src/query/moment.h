#pragma once

// A moment the lists can show, on the real calendar: the year digit 6..9 (2006..2009), a month,
// a day the month has, and an hour, in Beijing time. Stepping moves it by hours or days across
// month ends and leap years; it never leaves 2006-01-01 00:00 .. 2009-12-31 23:00.

#include "query/imagerequest.h"

#include <optional>
#include <string>
#include <vector>

namespace veltaro {

struct Moment
{
    int year = 0; // 2006..2009
    int month = 0;
    int day = 0;
    int hour = 0;

    bool operator==(const Moment &) const = default;
};

// The moment four list texts stand for; nothing when a text is empty or not a list item, or
// the date does not exist (02-30, 06-31).
std::optional<Moment> momentOf(const QueryTime &texts);

// The moment `hours` later (earlier when negative); nothing when that leaves the lists' range.
std::optional<Moment> steppedBy(const Moment &moment, int hours);

// The four list texts that show the moment ("8", "07", "18", "10").
QueryTime textsOf(const Moment &moment);

// "2008-07-18 10:00".
std::string momentText(const Moment &moment);

// "2008-07-18 10:00" from a year digit (for 200x), a month, a day and an hour as texts, whatever
// they hold: the UTC fields of a request, or list texts that make no moment.
std::string fieldsText(const std::string &yearDigit, const std::string &month,
                       const std::string &day, const std::string &hour);
// The picked texts as a moment's text where they make one, else as they stand.
std::string pickedText(const QueryTime &picked);

// The time `step` steps of `steps` an hour past `from`: "2008-07-18 08:30" for 1 of 2, "09:00"
// for 2 of 2 (a step may pass the next hour), "08:30" for −1 of 2 from 09:00 (back in time).
std::string betweenText(const Moment &from, int step, int steps);

// How many hours `to` lies after `from` (negative before), counted along the lists' calendar;
// nothing when more than `most` hours apart either way.
std::optional<int> hoursAfter(const Moment &from, const Moment &to, int most);

// The moment as a file's name is made of it, "2008-07-18_1000": exported frames, folders of
// downloaded files and pictures saved as seen are all named so.
std::string fileStemOf(const Moment &moment);

// The address of the moment's picture on the image archive.
std::string imageAddressOf(const Moment &moment);

// The hours of a loop of `hours` hours that ends at `end`, one every `every`, oldest first, as
// far back as the lists reach.
std::vector<Moment> hoursEndingAt(const Moment &end, int hours, int every = 1);

} // namespace veltaro
