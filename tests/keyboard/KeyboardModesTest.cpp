// The translation state: what each mode command sets, and when a mode stands aside.
#include "keyboard/KeyboardModes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using C = KbdModeCommand;

TEST(KeyboardModesTest, EachCommandSetsItsStateAndLeavesTheRest) {
    const struct {
        const char* name;
        std::vector<C> commands;
        KeyboardModeState expected;
    } cases[] = {
        {"initial state is the Latin translation", {}, {1, KBD_KIND_LATIN, 0}},
        {"off keeps kind and variant", {C::RussianTypewriter, C::Off}, {0, KBD_KIND_RUSSIAN, 1}},
        {"russian", {C::RussianTypewriter, C::Russian}, {1, KBD_KIND_RUSSIAN, 0}},
        {"typewriter", {C::Off, C::RussianTypewriter}, {1, KBD_KIND_RUSSIAN, 1}},
        {"german keeps the variant", {C::International, C::German}, {1, KBD_KIND_GERMAN, 1}},
        {"german after off", {C::Russian, C::Off, C::German}, {1, KBD_KIND_GERMAN, 0}},
        {"international", {C::German, C::International}, {1, KBD_KIND_LATIN, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardModeState state;
        for (auto command : c.commands)
            state.Apply(command);
        EXPECT_EQ(state, c.expected);
    }
}

TEST(KeyboardModesTest, ModeStandsAsideOnlyForItsNativeLayouts) {
    const struct {
        std::vector<C> commands;
        const char* layout;
        bool standsAside;
    } cases[] = {
        {{C::Latin}, "00000409", true},   {{C::Latin}, "00000407", false},
        {{C::Russian}, "00000419", true}, {{C::RussianTypewriter}, "00010419", true},
        {{C::German}, "00000407", true},  {{C::International, C::German}, "00000407", true}, // whatever the variant
        {{C::German}, "00000409", false}, {{C::International}, "00000409", false},
        {{C::Russian}, "0000419", false}, // compared on all eight characters
    };
    for (const auto& c : cases) {
        KeyboardModeState state;
        for (auto command : c.commands)
            state.Apply(command);
        EXPECT_EQ(state.StandsAsideFor(c.layout), c.standsAside)
            << static_cast<int>(c.commands.back()) << " " << c.layout;
    }
}

} // namespace
