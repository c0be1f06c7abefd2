// The date order and clock that the system's locale settings give the schedule's texts.
#include "records/SystemLocaleSource.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemLocaleSourceTest, OrderAndClockFollowTheLocalesFormats) {
    // locale, date order, clock
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"de_DE", "1", "1"}, {"en_US", "0", "0"}, {"ja_JP", "2", "1"}, {"ko_KR", "2", "0"}, {"sv_SE", "2", "1"}};
    for (const auto& [locale, order, clock] : cases) {
        SCOPED_TRACE(locale);
        SystemLocaleSource source{QLocale(QString::fromLatin1(locale))};
        EXPECT_EQ(source.DateOrder(), order);
        EXPECT_EQ(source.ClockFormat(), clock);
    }
}

} // namespace
