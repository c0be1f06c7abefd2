// The schedule's date and time texts, in the order the user's locale prescribes.
#include "records/DateTimeText.h"

#include "records/LocaleSource.h"

#include <cstdio>

namespace {

// The platform hands the locale items over in a two-character buffer, so only
// their first character counts.
char FirstChar(const std::string& item) { return item.empty() ? '\0' : item[0]; }

char DateOrder() { return FirstChar(CurrentLocaleSource().DateOrder()); }

bool TwelveHourClock() { return FirstChar(CurrentLocaleSource().ClockFormat()) == '0'; }

// The leading decimal digits from pos on, 0 when there are none. The number is
// capped so that a long run of digits cannot overflow; such a value is out of
// every range anyway.
int NumberAt(std::string_view text, std::size_t pos) {
    int value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = value < 100000 ? value * 10 + (text[pos] - '0') : value;
    return value;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

std::string DateTimeText::FormatDateTime(int kind) const {
    const auto parts = Split();
    if (!parts || (kind != kFormatDate && kind != kFormatTime))
        return {};
    char buffer[32];
    if (kind == kFormatDate) {
        switch (DateOrder()) {
        case '0':
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", parts->month, parts->day, parts->year);
            break;
        case '2':
            std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", parts->year, parts->month, parts->day);
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", parts->day, parts->month, parts->year);
            break;
        }
    } else if (TwelveHourClock()) {
        const int hour = parts->hour % 12 == 0 ? 12 : parts->hour % 12;
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d%s", hour, parts->minute, parts->second,
                      parts->hour < 12 ? "AM" : "PM");
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", parts->hour, parts->minute, parts->second);
    }
    return buffer;
}

int DateTimeText::ParseDateTime(std::string_view text) {
    if (text.size() < 8)
        return 0;
    const char order = DateOrder();
    if (text[2] == '/' || (order == '2' && text[4] == '/')) {
        int year, month, day;
        if (order == '0') {
            month = NumberAt(text, 0);
            day = NumberAt(text, 3);
            year = NumberAt(text, 6);
        } else if (order == '2') {
            year = NumberAt(text, 0);
            // A two-digit year leaves the month and day two places earlier.
            month = NumberAt(text, year >= 100 ? 5 : 3);
            day = NumberAt(text, year >= 100 ? 8 : 6);
        } else {
            day = NumberAt(text, 0);
            month = NumberAt(text, 3);
            year = NumberAt(text, 6);
        }
        if (year < 100)
            year += 1900;
        SetDate(year, month, day);
    } else if (text[2] == ':') {
        int hour = NumberAt(text, 0);
        if (hour != 12 && EndsWith(text, "PM"))
            hour += 12;
        if (hour == 12 && EndsWith(text, "AM"))
            hour = 0;
        SetTime(hour, NumberAt(text, 3), NumberAt(text, 6));
    }
    return 1;
}
