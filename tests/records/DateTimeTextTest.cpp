// The date-time value and its texts in the three date orders and both clocks.
#include "records/DateTimeText.h"

#include "records/ScopedLocale.h"

#include <gtest/gtest.h>

namespace {

using Parts = DateTimeValue::Parts;

DateTimeText Date(int year, int month, int day) {
    DateTimeText value;
    value.SetDate(year, month, day);
    return value;
}

DateTimeText Time(int hour, int minute, int second) {
    DateTimeText value;
    value.SetTime(hour, minute, second);
    return value;
}

TEST(DateTimeValueTest, CountsDaysFromTheEndOf1899) {
    struct Case {
        Parts parts;
        double days;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},   {{1899, 12, 31, 0, 0, 0}, 1.0},    {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1900, 3, 1, 0, 0, 0}, 61.0},    {{2000, 3, 1, 0, 0, 0}, 36586.0},  {{1899, 12, 30, 6, 0, 0}, 0.25},
        {{1899, 12, 29, 6, 0, 0}, -1.25}, {{100, 1, 1, 0, 0, 0}, -657434.0}, {{9999, 12, 31, 0, 0, 0}, 2958465.0},
    };
    for (const Case& c : cases) {
        DateTimeValue value;
        ASSERT_TRUE(
            value.SetDateTime(c.parts.year, c.parts.month, c.parts.day, c.parts.hour, c.parts.minute, c.parts.second));
        EXPECT_DOUBLE_EQ(value.Days(), c.days) << c.parts.year << "-" << c.parts.month << "-" << c.parts.day;
        EXPECT_EQ(value.Split(), c.parts) << c.days;
    }
}

TEST(DateTimeValueTest, PartsOutOfRangeMakeTheValueInvalid) {
    const Parts cases[] = {
        {2001, 2, 29, 0, 0, 0}, {2000, 2, 30, 0, 0, 0}, {2000, 13, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},
        {2000, 1, 0, 0, 0, 0},  {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}, {2000, 1, 1, 24, 0, 0},
        {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60}, {2000, 4, 31, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
    };
    for (const Parts& p : cases) {
        DateTimeValue value;
        EXPECT_FALSE(value.SetDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second)) << p.year << "-" << p.month;
        EXPECT_FALSE(value.IsValid());
        EXPECT_FALSE(value.Split());
    }
    DateTimeValue leap;
    EXPECT_TRUE(leap.SetDate(2000, 2, 29));
}

TEST(DateTimeValueTest, SplitRoundsToTheSecondAcrossMidnight) {
    EXPECT_EQ(DateTimeValue(1.0 - 0.1 / 86400).Split(), (Parts{1899, 12, 31, 0, 0, 0}));
    EXPECT_EQ(DateTimeValue(0.5 + 0.4 / 86400).Split(), (Parts{1899, 12, 30, 12, 0, 0}));
    EXPECT_FALSE(DateTimeValue(1e300).Split());
    EXPECT_FALSE(DateTimeValue(2.0, DateTimeValue::Status::Invalid).Split());
}

TEST(DateTimeTextTest, DatesFollowTheLocaleOrderAndParseBack) {
    struct Case {
        const char* order;
        const char* text;
    };
    const Case cases[] = {
        {"0", "03/05/2001"}, {"1", "05/03/2001"}, {"2", "2001/03/05"}, {"9", "05/03/2001"}, {"", "05/03/2001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("order ") + c.order);
        ScopedLocale locale(c.order, "1");
        EXPECT_EQ(Date(2001, 3, 5).FormatDateTime(kFormatDate), c.text);
        DateTimeText parsed;
        EXPECT_EQ(parsed.ParseDateTime(c.text), 1);
        EXPECT_EQ(parsed, Date(2001, 3, 5));
    }
}

TEST(DateTimeTextTest, TimesFollowTheClockAndParseBack) {
    struct Case {
        const char* clock;
        int hour, minute, second;
        const char* text;
    };
    const Case cases[] = {
        {"0", 14, 5, 0, "02:05:00PM"},   {"0", 0, 5, 0, "12:05:00AM"},  {"0", 12, 0, 0, "12:00:00PM"},
        {"0", 11, 59, 59, "11:59:59AM"}, {"0", 0, 30, 0, "12:30:00AM"}, {"1", 14, 5, 0, "14:05:00"},
        {"1", 0, 5, 9, "00:05:09"},      {"5", 23, 59, 0, "23:59:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScopedLocale locale("1", c.clock);
        EXPECT_EQ(Time(c.hour, c.minute, c.second).FormatDateTime(kFormatTime), c.text);
        DateTimeText parsed = Date(2020, 1, 1);
        EXPECT_EQ(parsed.ParseDateTime(c.text), 1);
        EXPECT_EQ(parsed, Time(c.hour, c.minute, c.second));
    }
}

TEST(DateTimeTextTest, TwelveHourTextsReadWhicheverClockTheLocaleHas) {
    const std::pair<const char*, Parts> cases[] = {
        {"12:30:00AM", {1899, 12, 30, 0, 30, 0}},  {"12:30:00PM", {1899, 12, 30, 12, 30, 0}},
        {"01:30:00PM", {1899, 12, 30, 13, 30, 0}}, {"13:30:00", {1899, 12, 30, 13, 30, 0}},
        {"01:30:00AM", {1899, 12, 30, 1, 30, 0}},
    };
    for (const char* clock : {"0", "1"}) {
        ScopedLocale locale("1", clock);
        for (const auto& [text, parts] : cases) {
            DateTimeText parsed;
            EXPECT_EQ(parsed.ParseDateTime(text), 1);
            EXPECT_EQ(parsed.Split(), parts) << text << " clock " << clock;
        }
    }
}

TEST(DateTimeTextTest, ParsingCases) {
    struct Case {
        const char* name;
        const char* order;
        const char* text;
        int result;
        std::optional<Parts> value; // nothing: the value is invalid
    };
    const Parts untouched{1999, 9, 9, 9, 9, 9};
    const Case cases[] = {
        {"two-digit year is in the 1900s", "1", "03/05/01", 1, Parts{1901, 5, 3}},
        {"month first two-digit year", "0", "03/05/01", 1, Parts{1901, 3, 5}},
        {"year first two-digit year", "2", "01/03/05", 1, Parts{1901, 3, 5}},
        {"year first four-digit", "2", "2155/12/31", 1, Parts{2155, 12, 31}},
        {"year first reads a day-first text by its third character", "2", "05/03/2001", 1, std::nullopt},
        {"seven characters are refused", "1", "05/03/1", 0, untouched},
        {"empty text is refused", "1", "", 0, untouched},
        {"neither date nor time keeps the value", "1", "2001-03-05", 1, untouched},
        {"fifth character counts only for year first", "1", "2001/03/05", 1, untouched},
        {"impossible date is invalid", "1", "31/02/2001", 1, std::nullopt},
        {"hour 24 is invalid", "1", "24:00:00", 1, std::nullopt},
        {"missing digits read as 0", "1", "12:  :  ", 1, Parts{1899, 12, 30, 12, 0, 0}},
        {"huge year is invalid", "0", "01/01/99999999999", 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLocale locale(c.order, "1");
        DateTimeText value;
        value.SetDateTime(untouched.year, untouched.month, untouched.day, untouched.hour, untouched.minute,
                          untouched.second);
        EXPECT_EQ(value.ParseDateTime(c.text), c.result);
        EXPECT_EQ(value.Split(), c.value);
    }
}

TEST(DateTimeTextTest, OtherKindsAndInvalidValuesGiveEmptyTexts) {
    EXPECT_EQ(Date(2001, 3, 5).FormatDateTime(0), "");
    EXPECT_EQ(Date(2001, 3, 5).FormatDateTime(3), "");
    DateTimeText invalid;
    invalid.SetDate(2001, 2, 29);
    EXPECT_EQ(invalid.FormatDateTime(kFormatDate), "");
    EXPECT_EQ(invalid.FormatDateTime(kFormatTime), "");
}

TEST(DateTimeTextTest, NewValueIsTheZeroDayAndValid) {
    DateTimeText value;
    EXPECT_TRUE(value.IsValid());
    EXPECT_EQ(value.Days(), 0.0);
    EXPECT_EQ(value.FormatDateTime(kFormatDate), "30/12/1899");
    EXPECT_EQ(value.FormatDateTime(kFormatTime), "00:00:00");
}

} // namespace
