// The date-time value: days since 30 December 1899 with a validity status.
#include "records/DateTimeValue.h"

#include <cmath>

namespace {

constexpr int kSecondsPerDay = 86400;

// Days from 1 January 1970 of a date in the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

const long long kZeroDay = DaysFromCivil(1899, 12, 30);

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

} // namespace

bool IsValidDate(int year, int month, int day) {
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool DateTimeValue::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59) {
        m_dDays = 0.0;
        m_status = Status::Invalid;
        return false;
    }
    const double wholeDays = static_cast<double>(DaysFromCivil(year, month, day) - kZeroDay);
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    m_dDays = wholeDays >= 0 ? wholeDays + fraction : wholeDays - fraction;
    m_status = Status::Valid;
    return true;
}

std::optional<DateTimeValue::Parts> DateTimeValue::Split() const {
    // Beyond these bounds the value lies outside the valid years; testing first
    // also keeps the conversion to whole days from overflowing.
    constexpr double kFirstDay = -657435.0; // 1 January 100
    constexpr double kLastDay = 2958466.0;  // 1 January 10000
    if (!IsValid() || !(m_dDays > kFirstDay - 1 && m_dDays < kLastDay))
        return std::nullopt;
    long long wholeDays = static_cast<long long>(std::trunc(m_dDays));
    long long seconds = std::llround(std::fabs(m_dDays - static_cast<double>(wholeDays)) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        // Rounding reached the next midnight; the whole days name the date on
        // either side of the zero day, so the next one is always one more.
        seconds -= kSecondsPerDay;
        wholeDays += 1;
    }
    Parts parts;
    CivilFromDays(wholeDays + kZeroDay, parts.year, parts.month, parts.day);
    if (parts.year < kMinYear || parts.year > kMaxYear)
        return std::nullopt;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}
