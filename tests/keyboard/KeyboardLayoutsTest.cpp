// The system's keyboard layouts: the X server's keyboard groups and their layout names, and
// finding an installed layout of a keyboard side.
#include "keyboard/XkbLayoutNames.h"

#include "support/FakeKeyboardLayouts.h"

#include <gtest/gtest.h>

using namespace std::string_view_literals;

TEST(XkbLayoutNamesTest, GroupsOfTheRuleNames) {
    const std::pair<std::string_view, std::vector<XkbGroup>> cases[] = {
        {"evdev\0pc105\0us,ru\0,typewriter\0grp:alt_shift_toggle\0"sv, {{"us", ""}, {"ru", "typewriter"}}},
        {"evdev\0pc105\0de,us,ru\0nodeadkeys\0\0"sv, {{"de", "nodeadkeys"}, {"us", ""}, {"ru", ""}}},
        {"evdev\0pc105\0\0\0"sv, {}},
        {""sv, {}},
    };
    for (const auto& [names, groups] : cases)
        EXPECT_EQ(XkbGroupsOfRuleNames(names), groups) << names.substr(12);
}

TEST(XkbLayoutNamesTest, GroupsAreNamedAsTheKeyboardThatTypesTheSame) {
    const std::pair<XkbGroup, const char*> cases[] = {
        {{"us", ""}, "00000409"},
        {{"us", "intl"}, "00010409"},
        {{"us", "alt-intl"}, "00010409"},
        {{"de", ""}, "00000407"},
        {{"de", "nodeadkeys"}, "00000407"},
        {{"ru", ""}, "00000419"},
        {{"ru", "typewriter"}, "00010419"},
        {{"ch", "fr"}, "0000100C"},
        {{"ua", ""}, "00000422"},
        // Unknown groups have no name, so that no emulation stands aside for them.
        {{"us", "dvorak"}, ""},
        {{"ru", "phonetic"}, ""},
        {{"xx", ""}, ""},
    };
    for (const auto& [group, name] : cases)
        EXPECT_EQ(LayoutNameOfXkbGroup(group), name) << group.layout << "(" << group.variant << ")";
}

TEST(KeyboardLayoutsTest, ActivatesTheFirstInstalledLayoutOfTheSide) {
    const struct {
        const char* name;
        std::vector<std::string> installed;
        std::size_t active;
        int side;
        std::string expected;
    } cases[] = {
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
