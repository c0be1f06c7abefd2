// The keyboard layouts of an X server's keyboard configuration, named as the program names layouts.
#include "keyboard/XkbLayoutNames.h"

#include <array>

namespace {

struct XkbLayoutName {
    std::string_view layout;
    std::string_view variant;
    std::string_view name;
};

// The groups a user of the handheld is likely to have, by the keyboard that puts the same
// characters under the same keys. The US international variants have their dead keys where the
// program's own US international keyboard has them.
constexpr std::array<XkbLayoutName, 25> kLayoutNames{{
    {"us", "", "00000409"},         {"us", "euro", "00000409"},       {"us", "intl", "00010409"},
    {"us", "alt-intl", "00010409"}, {"gb", "", "00000809"},           {"ie", "", "00001809"},
    {"de", "", "00000407"},         {"de", "nodeadkeys", "00000407"}, {"at", "", "00000407"},
    {"ch", "", "00000807"},         {"ch", "de", "00000807"},         {"ch", "fr", "0000100C"},
    {"ru", "", "00000419"},         {"ru", "winkeys", "00000419"},    {"ru", "typewriter", "00010419"},
    {"ua", "", "00000422"},         {"by", "", "00000423"},           {"kz", "", "0000043F"},
    {"bg", "", "00000402"},         {"fr", "", "0000040C"},           {"it", "", "00000410"},
    {"es", "", "0000040A"},         {"pl", "", "00000415"},           {"pt", "", "00000816"},
    {"br", "", "00000416"},
}};

// The pieces of a list separated by `separator`; an empty list has one empty piece.
std::vector<std::string_view> Split(std::string_view list, char separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t end = list.find(separator);
        pieces.push_back(list.substr(0, end));
        if (end == std::string_view::npos)
            return pieces;
        list.remove_prefix(end + 1);
    }
}

} // namespace

std::vector<XkbGroup> XkbGroupsOfRuleNames(std::string_view ruleNames) {
    const std::vector<std::string_view> names = Split(ruleNames, '\0');
    if (names.size() < 3 || names[2].empty())
        return {};
    const std::vector<std::string_view> layouts = Split(names[2], ',');
    const std::vector<std::string_view> variants = Split(names.size() > 3 ? names[3] : std::string_view(), ',');
    std::vector<XkbGroup> groups;
    for (std::size_t i = 0; i < layouts.size(); ++i)
        groups.push_back({std::string(layouts[i]), std::string(i < variants.size() ? variants[i] : "")});
    return groups;
}

std::string LayoutNameOfXkbGroup(const XkbGroup& group) {
    for (const XkbLayoutName& entry : kLayoutNames)
        if (entry.layout == group.layout && entry.variant == group.variant)
            return std::string(entry.name);
    return {};
}

int LetterVirtualKeyOfKeysym(unsigned keysym) {
    if (keysym >= 'a' && keysym <= 'z')
        return static_cast<int>(keysym) - 32;
    if (keysym >= 'A' && keysym <= 'Z')
        return static_cast<int>(keysym);
    return 0;
}
