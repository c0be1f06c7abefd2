// The date-time value: days since 30 December 1899 with a validity status.
#pragma once

#include <optional>

// Whole days count from 30 December 1899 00:00 and the time of day is the
// fraction. Before that day the fraction still counts forward from midnight,
// so -1.25 is 29 December 1899 06:00. Valid values lie in the years 100-9999.
class DateTimeValue {
public:
    enum class Status { Valid, Invalid };

    struct Parts {
        int year = 1899;
        int month = 12;
        int day = 30;
        int hour = 0;
        int minute = 0;
        int second = 0;
        bool operator==(const Parts&) const = default;
    };

    DateTimeValue() = default;
    explicit DateTimeValue(double days, Status status = Status::Valid) : m_dDays(days), m_status(status) {}

    // Set the value from its parts; out-of-range parts leave it invalid (the
    // days are then 0). The result tells whether the value is valid.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);
    bool SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    // A time of day alone lies on 30 December 1899.
    bool SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    double Days() const { return m_dDays; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }

    // The calendar parts, rounded to the second; nothing for an invalid value
    // or one outside the valid years.
    std::optional<Parts> Split() const;

    bool operator==(const DateTimeValue&) const = default;

private:
    double m_dDays = 0.0;
    Status m_status = Status::Valid;
};

bool IsValidDate(int year, int month, int day);
