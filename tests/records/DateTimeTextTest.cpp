// The date-time value and its texts in the three date orders and both clocks.
#include "records/DateTimeText.h"

#include "records/ScopedLocale.h"

#include <gtest/gtest.h>

namespace {

using Parts = DateTimeValue::Parts;

DateTimeText Value(const Parts& p) {
    DateTimeText value;
    value.SetDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
    return value;
}

TEST(DateTimeValueTest, CountsDaysFromTheEndOf1899) {
    const std::pair<Parts, double> cases[] = {{{1899, 12, 30}, 0.0},    {{1900, 3, 1}, 61.0},
                                              {{2000, 3, 1}, 36586.0},  {{1899, 12, 29, 6}, -1.25},
                                              {{100, 1, 1}, -657434.0}, {{9999, 12, 31}, 2958465.0}};
    for (const auto& [parts, days] : cases) {
        SCOPED_TRACE(days);
        const DateTimeText value = Value(parts);
        ASSERT_TRUE(value.IsValid());
        EXPECT_DOUBLE_EQ(value.Days(), days);
        EXPECT_EQ(value.Split(), parts);
    }
    // Split rounds to the second, across midnight too.
    EXPECT_EQ(DateTimeValue(1.0 - 0.1 / 86400).Split(), (Parts{1899, 12, 31, 0, 0, 0}));
    EXPECT_FALSE(DateTimeValue(1e300).Split());
}

// Each text, formatted in its locale, parses back to the same value.
TEST(DateTimeTextTest, DatesAndTimesFollowTheLocaleAndParseBack) {
    const std::tuple<const char*, const char*, int, Parts, const char*> cases[] = {
        // date order, clock, what is formatted, the value, its text
        {"0", "1", kFormatDate, {2001, 3, 5}, "03/05/2001"},
        {"1", "1", kFormatDate, {2001, 3, 5}, "05/03/2001"},
        {"2", "1", kFormatDate, {2001, 3, 5}, "2001/03/05"},
        {"9", "1", kFormatDate, {2001, 3, 5}, "05/03/2001"},
        {"1", "0", kFormatTime, {1899, 12, 30, 14, 5, 0}, "02:05:00PM"},
        {"1", "0", kFormatTime, {1899, 12, 30, 0, 30, 0}, "12:30:00AM"},
        {"1", "1", kFormatTime, {1899, 12, 30, 0, 5, 9}, "00:05:09"},
        {"1", "5", kFormatTime, {1899, 12, 30, 23, 59, 0}, "23:59:00"},
    };
    for (const auto& [order, clock, kind, value, text] : cases) {
        SCOPED_TRACE(text);
        ScopedLocale locale(order, clock);
        EXPECT_EQ(Value(value).FormatDateTime(kind), text);
        DateTimeText parsed = Value({2020, 1, 1});
        EXPECT_EQ(parsed.ParseDateTime(text), 1);
        EXPECT_EQ(parsed.Split(), value);
    }
    EXPECT_EQ(Value({2001, 3, 5}).FormatDateTime(0), "");
    EXPECT_EQ(Value({2001, 3, 5}).FormatDateTime(3), "");
    EXPECT_EQ(Value({2001, 2, 29}).FormatDateTime(kFormatDate), "") << "an invalid value";
}

TEST(DateTimeTextTest, ParsingCases) {
    const Parts untouched{1999, 9, 9, 9, 9, 9};
    const std::tuple<const char*, const char*, const char*, const char*, int, std::optional<Parts>> cases[] = {
        // name, date order, clock, text, result, the value parsed (nothing: the value is invalid)
        {"12-hour text on a 24-hour clock", "1", "1", "12:30:00AM", 1, Parts{1899, 12, 30, 0, 30, 0}},
        {"24-hour text on a 12-hour clock", "1", "0", "13:30:00", 1, Parts{1899, 12, 30, 13, 30, 0}},
        {"two-digit year is in the 1900s", "1", "1", "03/05/01", 1, Parts{1901, 5, 3}},
        {"year first two-digit year", "2", "1", "01/03/05", 1, Parts{1901, 3, 5}},
        {"year first reads a day-first text by its third character", "2", "1", "05/03/2001", 1, std::nullopt},
        {"seven characters are refused", "1", "1", "05/03/1", 0, untouched},
        {"neither date nor time keeps the value", "1", "1", "2001-03-05", 1, untouched},
        {"impossible date is invalid", "1", "1", "29/02/2001", 1, std::nullopt},
        {"no 29 February in 1900", "1", "1", "29/02/1900", 1, std::nullopt},
        {"hour 24 is invalid", "1", "1", "24:00:00", 1, std::nullopt},
        {"missing digits read as 0", "1", "1", "12:  :  ", 1, Parts{1899, 12, 30, 12, 0, 0}},
        {"huge year is invalid", "0", "1", "01/01/99999999999", 1, std::nullopt},
    };
    for (const auto& [name, order, clock, text, result, parsed] : cases) {
        SCOPED_TRACE(name);
        ScopedLocale locale(order, clock);
        DateTimeText value = Value(untouched);
        EXPECT_EQ(value.ParseDateTime(text), result);
        EXPECT_EQ(value.Split(), parsed);
    }
}

} // namespace
