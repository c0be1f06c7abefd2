// The schedule's date and time texts, in the order the user's locale prescribes.
#pragma once

#include "records/DateTimeValue.h"

#include <string>
#include <string_view>

// The kinds of text FormatDateTime makes.
inline constexpr int kFormatTime = 1;
inline constexpr int kFormatDate = 2;

// A date-time value that writes itself as a text and reads itself back. The
// order of day, month and year and the 12- or 24-hour clock come from
// CurrentLocaleSource(); the separators are always "/" and ":".
class DateTimeText : public DateTimeValue {
public:
    DateTimeText() = default;
    DateTimeText(const DateTimeValue& value) : DateTimeValue(value) {}

    // Kind 2: the date, as 05/03/2001 (day first), 03/05/2001 (month first) or
    // 2001/03/05 (year first). Kind 1: the time, as 14:05:00 or 02:05:00PM.
    // Any other kind, and an invalid value, give an empty text.
    std::string FormatDateTime(int kind) const;

    // Reads a text of either kind into the value: 1 when it was read, 0 for a
    // text shorter than 8 characters. A text of neither shape leaves the value
    // as it was and still gives 1; a date or time out of range makes the value
    // invalid.
    int ParseDateTime(std::string_view text);
};
