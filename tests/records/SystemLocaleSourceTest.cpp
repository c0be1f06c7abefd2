// The date order and clock that the system's locale settings give the schedule's texts.
#include "records/SystemLocaleSource.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemLocaleSourceTest, OrderAndClockFollowTheLocalesFormats) {
    struct Case {
        const char* locale;
        const char* order;
        const char* clock;
    };
    const Case cases[] = {{"de_DE", "1", "1"}, {"ru_RU", "1", "1"}, {"en_GB", "1", "1"}, {"en_US", "0", "0"},
                          {"ja_JP", "2", "1"}, {"ko_KR", "2", "0"}, {"sv_SE", "2", "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        SystemLocaleSource source{QLocale(QString::fromLatin1(c.locale))};
        EXPECT_EQ(source.DateOrder(), c.order);
        EXPECT_EQ(source.ClockFormat(), c.clock);
    }
}

} // namespace
