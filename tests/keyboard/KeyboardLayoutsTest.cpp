// Finding an installed layout of a keyboard side.
#include "keyboard/KeyboardLayouts.h"

#include "support/FakeKeyboardLayouts.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardLayoutsTest, ActivatesTheFirstInstalledLayoutOfTheSide) {
    struct Case {
        const char* name;
        std::vector<std::string> installed;
        std::size_t active;
        int side;
        std::string expected;
    };
    const Case cases[] = {
        {"latin found after others", {"00000419", "00000407", "00000409"}, 0, 0, "00000409"},
        {"latin takes any 409 variant", {"00000419", "00010409"}, 0, 0, "00010409"},
        {"cyrillic takes 419", {"00000409", "00000419"}, 0, 1, "00000419"},
        {"cyrillic takes 407 when it comes first", {"00000409", "00000407", "00000419"}, 0, 1, "00000407"},
        {"cyrillic takes the typewriter layout", {"00000409", "00010419"}, 0, 1, "00010419"},
        {"none of the side: the active one stays", {"00000409", "0000040C", "00000407"}, 1, 0, "00000409"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeKeyboardLayouts layouts(c.installed, c.active);
        ActivateInstalledLayout(layouts, c.side);
        EXPECT_EQ(layouts.ActiveLayoutName(), c.expected);
    }
}

} // namespace
