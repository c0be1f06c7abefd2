// The four keyboard emulations: the mode state that chooses one and stands it aside for a native
// layout, and key by key what reaches the window for each key typed.
#include "keyboard/KeyTranslator.h"

#include "keyboard/CodePages.h"
#include "keyboard/KeyTables.h"
#include "keyboard/UsKeyboard.h"
#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

using M = KbdModeCommand;

// The translation state after the mode commands, in their order.
KeyboardModeState StateAfter(const std::vector<M>& commands) {
    KeyboardModeState state;
    for (M command : commands)
        state.Apply(command);
    return state;
}

TEST(KeyboardModesTest, EachCommandSetsItsStateAndLeavesTheRest) {
    const struct {
        const char* name;
        std::vector<M> commands;
        KeyboardModeState expected;
    } cases[] = {
        {"initial state is the Latin translation", {}, {1, KBD_KIND_LATIN, 0}},
        {"off keeps kind and variant", {M::RussianTypewriter, M::Off}, {0, KBD_KIND_RUSSIAN, 1}},
        {"russian", {M::RussianTypewriter, M::Russian}, {1, KBD_KIND_RUSSIAN, 0}},
        {"typewriter", {M::Off, M::RussianTypewriter}, {1, KBD_KIND_RUSSIAN, 1}},
        {"german keeps the variant", {M::International, M::German}, {1, KBD_KIND_GERMAN, 1}},
        {"german after off", {M::Russian, M::Off, M::German}, {1, KBD_KIND_GERMAN, 0}},
        {"international", {M::German, M::International}, {1, KBD_KIND_LATIN, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateAfter(c.commands), c.expected) << c.name;
}

TEST(KeyboardModesTest, ModeStandsAsideOnlyForItsNativeLayouts) {
    const struct {
        std::vector<M> commands;
        const char* layout;
        bool standsAside;
    } cases[] = {
        {{M::Latin}, "00000409", true},   {{M::Latin}, "00000407", false},
        {{M::Russian}, "00000419", true}, {{M::RussianTypewriter}, "00010419", true},
        {{M::German}, "00000407", true},  {{M::International, M::German}, "00000407", true}, // whatever the variant
        {{M::German}, "00000409", false}, {{M::International}, "00000409", false},
        {{M::Russian}, "0000419", false}, // compared on all eight characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateAfter(c.commands).StandsAsideFor(c.layout), c.standsAside)
            << static_cast<int>(c.commands.back()) << " " << c.layout;
}

// A French layout: native to none of the emulations, so that every one of them translates.
constexpr char kForeignLayout[] = "0000040C";

KeyStroke Letter(char letter) {
    return {KeyMessage::KeyDown, letter, kUsLetterScanCodes[static_cast<std::size_t>(letter - 'A')]};
}
KeyStroke Scan(int scanCode) { return {KeyMessage::KeyDown, UsVirtualKeyOfScanCode(scanCode), scanCode}; }
KeyStroke Vk(int virtualKey) { return {KeyMessage::KeyDown, virtualKey, 0}; }
// The key typed with a modifier held, or with Caps Lock on.
template <bool KeyStroke::*held> KeyStroke With(KeyStroke key) {
    key.*held = true;
    return key;
}
constexpr auto Shift = With<&KeyStroke::shift>, Caps = With<&KeyStroke::capsLock>, Ctrl = With<&KeyStroke::control>;
// A key typed with the left Alt key held: the system's own key-down.
KeyStroke Alt(KeyStroke key) {
    key.alt = true;
    key.message = KeyMessage::SysKeyDown;
    return key;
}
KeyStroke RightAlt() {
    return {.message = KeyMessage::SysKeyDown, .virtualKey = VK_MENU, .scanCode = 0x38, .alt = true, .rightAlt = true};
}

// Types the keys one after the other and returns every character the window gets, as UTF-8.
std::string Type(M mode, const std::vector<KeyStroke>& keys) {
    const KeyboardModeState state = StateAfter({mode});
    KeyTranslator translator;
    std::string typed;
    for (const KeyStroke& key : keys) {
        KeyTranslation out = translator.Translate(state, kForeignLayout, key);
        for (char c : out.Characters()) {
            auto byte = static_cast<std::uint8_t>(c);
            AppendUtf8(typed, out.codePage == 1251 ? Cp1251ToUnicode(byte) : Cp1252ToUnicode(byte));
        }
    }
    return typed;
}

TEST(KeyTranslatorTest, EachEmulationTypesItsLayout) {
    const struct {
        const char* name;
        M mode;
        std::vector<KeyStroke> keys;
        const char* expected;
    } cases[] = {
        // Upper case is Caps Lock XOR Shift, for letters and punctuation alike.
        {"US Q", M::Latin, {Letter('Q'), Shift(Letter('Q')), Caps(Letter('Q')), Caps(Shift(Letter('Q')))}, "qQQq"},
        {"US punctuation", M::Latin, {Shift(Scan(0x03)), Caps(Scan(0x02)), Scan(0x29), Shift(Scan(0x28))}, "@!`\""},
        {"Russian Q with neither or both", M::Russian, {Letter('Q'), Caps(Shift(Letter('Q')))}, "йй"},
        {"Russian punctuation keys", M::Russian, {Scan(0x1A), Scan(0x27), Shift(Scan(0x33)), Scan(0x35)}, "хжБ."},
        {"Russian Shift+3 and 4", M::Russian, {Shift(Scan(0x04)), Shift(Scan(0x05))}, "№;"},
        {"typewriter letters", M::RussianTypewriter, {Letter('Q'), Letter('W'), Scan(0x0D), Shift(Scan(0x1A))}, "яшъЮ"},
        {"German umlauts and sharp s", M::German, {Scan(0x27), Shift(Scan(0x28)), Scan(0x1A), Scan(0x0C)}, "öÄüß"},
        {"German swaps Y and Z", M::German, {Scan(0x15), Scan(0x2C), Shift(Scan(0x15))}, "zyZ"},
        {"international plain keys are US", M::International, {Letter('A'), Shift(Scan(0x03)), Scan(0x1A)}, "a@["},
        {"special keys", M::German, {Vk(VK_TAB), Vk(VK_RETURN), Vk(VK_BACK), Vk(VK_ESCAPE)}, "\t\r\b\x1b"},
        {"keypad", M::Russian, {Vk(VK_NUMPAD0 + 5), Vk(VK_MULTIPLY), Vk(VK_DECIMAL), Vk(VK_DIVIDE)}, "5*./"},
        {"keys that type nothing", M::Latin, {Vk(VK_LEFT), Vk(VK_DELETE), Vk(VK_F1), Vk(VK_SHIFT), Vk(VK_CAPITAL)}, ""},
        {"Control with another key types the key", M::Russian, {Ctrl(Letter('Q'))}, "й"},
        // Dead keys combine with the next key or type their own character before it.
        {"German acute on E, then K", M::German, {Scan(0x0D), Letter('E'), Scan(0x0D), Letter('K')}, "é’k"},
        {"German dead keys then space", M::German, {Shift(Scan(0x0D)), Vk(VK_SPACE), Scan(0x29), Vk(VK_SPACE)}, "‘^"},
        {"German acute on the German Y", M::German, {Scan(0x0D), Letter('Z'), Scan(0x0D), Shift(Letter('Z'))}, "ýÝ"},
        {"German Shift between dead key and vowel", M::German, {Shift(Scan(0x0D)), Vk(VK_SHIFT), Letter('U')}, "ù"},
        {"international apostrophe Shift+C", M::International, {Scan(0x28), Shift(Letter('C'))}, "Ç"},
        {"international Shift+grave N", M::International, {Shift(Scan(0x29)), Letter('N')}, "ñ"},
        {"international Shift+grave C", M::International, {Shift(Scan(0x29)), Letter('C')}, "~c"},
        {"international tilde A upper", M::International, {Shift(Scan(0x29)), Caps(Letter('A'))}, "Ã"},
        {"international acute Y, grave Z", M::International, {Scan(0x28), Letter('Y'), Scan(0x29), Letter('Z')}, "ý`z"},
        {"international acute on a digit", M::International, {Scan(0x28), Scan(0x02)}, "'1"},
        {"international diaeresis space", M::International, {Shift(Scan(0x28)), Vk(VK_SPACE)}, "\""},
        // The right-Alt layers: lower case only, ended by the Alt key's release.
        {"German right Alt Q, 8, 1", M::German, {RightAlt(), Letter('Q'), Scan(0x09), Scan(0x02)}, "@["},
        {"German right Alt E, M, minus", M::German, {RightAlt(), Letter('E'), Letter('M'), Scan(0x0C)}, "€µ\\"},
        {"German right Alt with Shift", M::German, {RightAlt(), Shift(Letter('Q')), Shift(Scan(0x09))}, ""},
        {"German left Alt types the plain letter", M::German, {Alt(Vk(VK_MENU)), Alt(Letter('K'))}, "k"},
        {"Alt up ends the layer", M::German, {RightAlt(), {KeyMessage::SysKeyUp, VK_MENU, 0x38}, Letter('Q')}, "q"},
        {"international right Alt 5 and J", M::International, {RightAlt(), Scan(0x06), Letter('J')}, "€"},
        {"intl right Alt S", M::International, {RightAlt(), Letter('S'), Shift(Letter('S')), Letter('Q')}, "ß§ä"},
        {"international right Alt Shift", M::International, {RightAlt(), Shift(Scan(0x02)), Shift(Scan(0x06))}, "¹"},
        {"international dead key then right Alt", M::International, {Scan(0x28), RightAlt(), Letter('E')}, "é"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Type(c.mode, c.keys), c.expected);
    }
}

TEST(KeyTranslatorTest, EveryAccentOnEveryVowel) {
    const struct {
        KeyStroke deadKey;
        const char* typed; // on U, I, O, E, A, then on the same with Shift
    } accents[] = {{Scan(0x29), "ùìòèàÙÌÒÈÀ"},
                   {Scan(0x28), "úíóéáÚÍÓÉÁ"},
                   {Shift(Scan(0x07)), "ûîôêâÛÎÔÊÂ"},
                   {Shift(Scan(0x28)), "üïöëäÜÏÖËÄ"}};
    for (const auto& [deadKey, typed] : accents) {
        std::vector<KeyStroke> keys;
        for (bool shift : {false, true})
            for (char vowel : std::string("UIOEA"))
                keys.insert(keys.end(), {deadKey, shift ? Shift(Letter(vowel)) : Letter(vowel)});
        EXPECT_EQ(Type(M::International, keys), typed);
    }
}

TEST(KeyTranslatorTest, ControlXVCAreTheClipboardInEveryMode) {
    for (M mode : {M::Latin, M::Russian, M::RussianTypewriter, M::German, M::International}) {
        SCOPED_TRACE(static_cast<int>(mode));
        EXPECT_EQ(Type(mode, {Ctrl(Letter('X')), Ctrl(Letter('V')), Ctrl(Letter('C'))}), "\x18\x16\x03");
        // With Alt as well it is the key itself (the right-Alt layer on some systems).
        EXPECT_NE(Type(mode, {With<&KeyStroke::alt>(Ctrl(Letter('V')))}), "\x16");
    }
}

TEST(KeyTranslatorTest, WhichMessagesEachEmulationTakes) {
    const struct {
        const char* name;
        M mode;
        KeyStroke key;
        bool consumed, keyDownDelivered;
    } cases[] = {
        {"US key-up", M::Latin, {KeyMessage::KeyUp, 'Q', 0x10}, false, false},
        {"US leaves Alt combinations", M::Latin, Alt(Letter('K')), false, false},
        {"US swallows the system's characters", M::Latin, {KeyMessage::Char, 'q', 0}, true, false},
        {"US leaves system characters", M::Latin, {KeyMessage::SysChar, 'k', 0}, false, false},
        {"Russian leaves Alt combinations", M::Russian, Alt(Letter('K')), false, false},
        {"German takes Alt combinations", M::German, Alt(Letter('K')), true, true},
        {"international takes Alt combinations", M::International, Alt(Letter('K')), true, true},
        {"off", M::Off, Letter('Q'), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTranslation out = KeyTranslator().Translate(StateAfter({c.mode}), kForeignLayout, c.key);
        EXPECT_EQ(out.consumed, c.consumed);
        EXPECT_EQ(out.keyDownDelivered, c.keyDownDelivered);
    }
}

TEST(KeyTranslatorTest, DeadKeysAndTheLastKeyAreSentAsTheirKeys) {
    const KeyboardModeState international = StateAfter({M::International}), german = StateAfter({M::German});
    KeyTranslator translator;
    EXPECT_EQ(translator.Translate(international, kForeignLayout, Shift(Scan(0x07))).sent,
              (std::vector<SentCharacter>{{KeyMessage::DeadChar, '6'}}));
    // A change of mode leaves a pending dead key pending.
    EXPECT_EQ(translator.Translate(german, kForeignLayout, Letter('O')).Characters(), "\xF4");
    // German: a right-Alt key without a character answers an Alt key-down with its system character.
    translator.Translate(german, kForeignLayout, RightAlt());
    EXPECT_EQ(translator.Translate(german, kForeignLayout, Alt(Letter('J'))).sent,
              (std::vector<SentCharacter>{{KeyMessage::SysChar, 'J'}}));
}

} // namespace
