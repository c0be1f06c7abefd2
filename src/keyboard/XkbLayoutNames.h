// The keyboard layouts of an X server's keyboard configuration, named as the program names layouts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One group of the configuration: a layout and its variant ("ru" and "typewriter").
struct XkbGroup {
    std::string layout;
    std::string variant;

    bool operator==(const XkbGroup&) const = default;
};

// The groups of the server's rule names: the NUL-separated rules, model, layouts, variants and
// options, where layouts and variants are comma-separated lists ("us,ru" and ",typewriter").
std::vector<XkbGroup> XkbGroupsOfRuleNames(std::string_view ruleNames);

// The eight-digit layout name of the keyboard that types what this group types ("ru" with
// "typewriter" is "00010419"); empty for a group with no such keyboard, which no mode stands
// aside for and no keyboard side takes.
std::string LayoutNameOfXkbGroup(const XkbGroup& group);

// The virtual key of a Latin letter keysym ('a' and 'A' both name the key A); 0 for any other.
int LetterVirtualKeyOfKeysym(unsigned keysym);
