// The translation state: what each mode command sets, and when a mode stands aside.
#include "keyboard/KeyboardModes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using C = KbdModeCommand;

struct ModeCase {
    const char* name;
    std::vector<C> commands;
    KeyboardModeState expected;
};

TEST(KeyboardModesTest, EachCommandSetsItsStateAndLeavesTheRest) {
    const ModeCase cases[] = {
        {"initial state is the Latin translation", {}, {1, KBD_KIND_LATIN, 0}},
        {"off keeps kind and variant", {C::RussianTypewriter, C::Off}, {0, KBD_KIND_RUSSIAN, 1}},
        {"latin", {C::Off, C::Latin}, {1, KBD_KIND_LATIN, 0}},
        {"russian", {C::RussianTypewriter, C::Russian}, {1, KBD_KIND_RUSSIAN, 0}},
        {"typewriter", {C::Off, C::RussianTypewriter}, {1, KBD_KIND_RUSSIAN, 1}},
        {"german keeps the variant", {C::International, C::German}, {1, KBD_KIND_GERMAN, 1}},
        {"german after off", {C::Russian, C::Off, C::German}, {1, KBD_KIND_GERMAN, 0}},
        {"international", {C::German, C::International}, {1, KBD_KIND_LATIN, 1}},
        {"off twice", {C::Off, C::Off}, {0, KBD_KIND_LATIN, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardModeState state;
        for (auto command : c.commands)
            state.Apply(command);
        EXPECT_EQ(state, c.expected);
    }
}

TEST(KeyboardModesTest, AnyOrderOfCommandsEndsInWhatTheLastOneSets) {
    // Every ordered pair and triple: the last full-mode command decides kind and variant alone.
    const C full[] = {C::Latin, C::Russian, C::RussianTypewriter, C::International};
    const KeyboardModeState fullState[] = {
        {1, KBD_KIND_LATIN, 0}, {1, KBD_KIND_RUSSIAN, 0}, {1, KBD_KIND_RUSSIAN, 1}, {1, KBD_KIND_LATIN, 1}};
    for (int a = 0; a < kKbdModeCommandCount; ++a)
        for (int b = 0; b < kKbdModeCommandCount; ++b)
            for (int last = 0; last < 4; ++last) {
                KeyboardModeState state;
                state.Apply(static_cast<C>(a));
                state.Apply(static_cast<C>(b));
                state.Apply(full[last]);
                EXPECT_EQ(state, fullState[last]) << a << " " << b << " " << last;
            }
}

TEST(KeyboardModesTest, ModeStandsAsideOnlyForItsNativeLayouts) {
    struct Case {
        C mode;
        const char* layout;
        bool standsAside;
    };
    const Case cases[] = {
        {C::Latin, "00000409", true},
        {C::Latin, "00010409", true},
        {C::Latin, "00000407", false},
        {C::Latin, "00020409", false},
        {C::Russian, "00000419", true},
        {C::Russian, "00010419", false},
        {C::RussianTypewriter, "00010419", true},
        {C::RussianTypewriter, "00000419", false},
        {C::German, "00000407", true},
        {C::German, "00000409", false},
        {C::International, "00010409", false},
        {C::International, "00000416", false},
        {C::International, "00000409", false},
        {C::Russian, "0000419", false}, // compared on all eight characters
        {C::Russian, "000004190", false},
        {C::Russian, "", false},
    };
    for (const auto& c : cases) {
        KeyboardModeState state;
        state.Apply(c.mode);
        EXPECT_EQ(state.StandsAsideFor(c.layout), c.standsAside) << static_cast<int>(c.mode) << " " << c.layout;
    }
}

TEST(KeyboardModesTest, GermanStandsAsideWhateverItsVariant) {
    KeyboardModeState state;
    state.Apply(C::International);
    state.Apply(C::German);
    EXPECT_TRUE(state.StandsAsideFor("00000407"));
}

TEST(KeyboardModesTest, OnlyTheSixModeMessagesAreCommands) {
    const unsigned first = 1124;
    EXPECT_EQ(ModeCommandIndex(first - 1, first), -1);
    EXPECT_EQ(ModeCommandIndex(first, first), 0);
    EXPECT_EQ(ModeCommandIndex(first + 5, first), 5);
    EXPECT_EQ(ModeCommandIndex(first + 6, first), -1);
    EXPECT_EQ(ModeCommandIndex(0, first), -1);
}

} // namespace
