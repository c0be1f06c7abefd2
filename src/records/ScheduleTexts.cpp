// The schedule's date and times between the locale's texts the records hold and fixed forms.
#include "records/ScheduleTexts.h"

#include "records/DateTimeText.h"
#include "records/SchedulePacking.h"

#include <cstdio>

namespace {

constexpr std::string_view kTimesSeparator = " - ";

std::optional<DateTimeValue::Parts> ParsedParts(std::string_view text) {
    DateTimeText value;
    if (!value.ParseDateTime(text) || !value.IsValid())
        return std::nullopt;
    return value.Split();
}

bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
    if (pos + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::optional<std::string> TimeText(int hour, int minute) {
    DateTimeText value;
    if (!value.SetTime(hour, minute, 0))
        return std::nullopt;
    return value.FormatDateTime(kFormatTime);
}

} // namespace

std::optional<DateTimeValue::Parts> ScheduleDateParts(std::string_view localeText) {
    // A time text parses too, as a time on the first day of the count: only a date text is a date.
    if (localeText.find('/') == std::string_view::npos)
        return std::nullopt;
    return ParsedParts(localeText);
}

std::optional<ScheduleTimes> ScheduleTimesParts(std::string_view localeText) {
    const std::size_t split = localeText.find(kTimesSeparator);
    if (split == std::string_view::npos)
        return std::nullopt;
    auto start = ParsedParts(localeText.substr(0, split));
    auto end = ParsedParts(localeText.substr(split + kTimesSeparator.size()));
    if (!start || !end)
        return std::nullopt;
    return ScheduleTimes{start->hour, start->minute, end->hour, end->minute};
}

std::optional<std::string> ScheduleDateText(int year, int month, int day) {
    DateTimeText value;
    if (year < kFirstScheduleYear || year > kLastScheduleYear || !value.SetDate(year, month, day))
        return std::nullopt;
    return value.FormatDateTime(kFormatDate);
}

std::optional<std::string> ScheduleTimesText(const ScheduleTimes& times) {
    auto start = TimeText(times.startHour, times.startMinute);
    auto end = TimeText(times.endHour, times.endMinute);
    if (!start || !end)
        return std::nullopt;
    return *start + std::string(kTimesSeparator) + *end;
}

std::optional<std::string> FixedScheduleDate(std::string_view localeText) {
    auto parts = ScheduleDateParts(localeText);
    if (!parts)
        return std::nullopt;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", parts->year, parts->month, parts->day);
    return buffer;
}

std::optional<std::string> FixedScheduleTimes(std::string_view localeText) {
    auto times = ScheduleTimesParts(localeText);
    if (!times)
        return std::nullopt;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d-%02d:%02d", times->startHour, times->startMinute, times->endHour,
                  times->endMinute);
    return buffer;
}

std::optional<std::string> ScheduleDateFromFixed(std::string_view text, std::string& error) {
    int year, month, day;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ReadDigits(text, 0, 4, year) ||
        !ReadDigits(text, 5, 2, month) || !ReadDigits(text, 8, 2, day)) {
        error = "the date must be written YYYY-MM-DD";
        return std::nullopt;
    }
    auto date = ScheduleDateText(year, month, day);
    if (!date)
        error = "the date must be a day of the years 1900 to 2155";
    return date;
}

std::optional<std::string> ScheduleTimesFromFixed(std::string_view text, std::string& error) {
    ScheduleTimes times;
    if (text.size() != 11 || text[2] != ':' || text[5] != '-' || text[8] != ':' ||
        !ReadDigits(text, 0, 2, times.startHour) || !ReadDigits(text, 3, 2, times.startMinute) ||
        !ReadDigits(text, 6, 2, times.endHour) || !ReadDigits(text, 9, 2, times.endMinute)) {
        error = "the times must be written HH:MM-HH:MM";
        return std::nullopt;
    }
    auto result = ScheduleTimesText(times);
    if (!result)
        error = "the times must be times of day, 00:00 to 23:59";
    return result;
}
