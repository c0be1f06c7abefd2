// The X server's keyboard groups, and their layout names.
#include "keyboard/XkbLayoutNames.h"

#include <gtest/gtest.h>

using namespace std::string_view_literals;

namespace {

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

} // namespace
