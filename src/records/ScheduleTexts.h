// The schedule's date and times between the locale's texts the records hold and fixed forms.
#pragma once

#include "records/DateTimeValue.h"

#include <optional>
#include <string>
#include <string_view>

// A schedule record holds its date as the locale writes it (05/03/2001) and its times as
// "start - end" in the locale's clock. Files for other programs carry them in forms that read the
// same on every machine.
struct ScheduleTimes {
    int startHour = 0;
    int startMinute = 0;
    int endHour = 0;
    int endMinute = 0;
    bool operator==(const ScheduleTimes&) const = default;
};

// The calendar day of a record's date text; nothing for a text that does not read as a date.
std::optional<DateTimeValue::Parts> ScheduleDateParts(std::string_view localeText);
// The start and end of a record's times text; nothing when either does not read as a time.
std::optional<ScheduleTimes> ScheduleTimesParts(std::string_view localeText);

// The locale's texts of a day (nothing outside the years the handheld can carry) and of two times
// (nothing for a time that is not one of the day).
std::optional<std::string> ScheduleDateText(int year, int month, int day);
std::optional<std::string> ScheduleTimesText(const ScheduleTimes& times);

// YYYY-MM-DD and HH:MM-HH:MM from the locale's texts; nothing when the text does not read.
std::optional<std::string> FixedScheduleDate(std::string_view localeText);
std::optional<std::string> FixedScheduleTimes(std::string_view localeText);

// The reverse: the locale's texts, or nothing with the reason in error.
std::optional<std::string> ScheduleDateFromFixed(std::string_view text, std::string& error);
std::optional<std::string> ScheduleTimesFromFixed(std::string_view text, std::string& error);
