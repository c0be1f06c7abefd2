// Where the date-time texts learn the user's date order and clock.
#pragma once

#include <string>

// The two locale items that shape the schedule's date and time texts, in the
// form the platform reports them: the short date order "0" (month, day, year),
// "1" (day, month, year) or "2" (year, month, day), and the clock "0" (12-hour)
// or "1" (24-hour). The window library supplies one that asks the system.
class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    virtual std::string DateOrder() const = 0;
    virtual std::string ClockFormat() const = 0;
};

// A locale that always answers the same; the default is day first and the
// 24-hour clock, as in German and Russian.
class FixedLocaleSource : public LocaleSource {
public:
    explicit FixedLocaleSource(std::string dateOrder = "1", std::string clockFormat = "1");
    std::string DateOrder() const override { return m_strDateOrder; }
    std::string ClockFormat() const override { return m_strClockFormat; }

private:
    std::string m_strDateOrder;
    std::string m_strClockFormat;
};

// The source every date-time text asks. Installing nullptr puts the fixed
// default back; the caller keeps the installed source alive while it is in use.
const LocaleSource& CurrentLocaleSource();
void InstallLocaleSource(const LocaleSource* source);
