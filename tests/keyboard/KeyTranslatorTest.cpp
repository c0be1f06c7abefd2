// The four keyboard emulations, key by key: what reaches the window for each key typed.
#include "keyboard/KeyTranslator.h"

#include "keyboard/CodePages.h"
#include "keyboard/KeyTables.h"
#include "keyboard/UsKeyboard.h"
#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using M = KbdModeCommand;

// A French layout: native to none of the emulations, so that every one of them translates.
constexpr char kForeignLayout[] = "0000040C";

KeyStroke Letter(char letter) {
    return {KeyMessage::KeyDown, letter, kUsLetterScanCodes[static_cast<std::size_t>(letter - 'A')]};
}
KeyStroke Scan(int scanCode) {
    return {KeyMessage::KeyDown, UsVirtualKeyOfScanCode(scanCode), scanCode};
}
KeyStroke Vk(int virtualKey) {
    return {KeyMessage::KeyDown, virtualKey, 0};
}
KeyStroke Shift(KeyStroke key) {
    key.shift = true;
    return key;
}
KeyStroke Caps(KeyStroke key) {
    key.capsLock = true;
    return key;
}
KeyStroke Ctrl(KeyStroke key) {
    key.control = true;
    return key;
}
// A key typed with the left Alt key held: the system's own key-down.
KeyStroke Alt(KeyStroke key) {
    key.alt = true;
    key.message = KeyMessage::SysKeyDown;
    return key;
}
KeyStroke RightAltDown() {
    KeyStroke key{KeyMessage::SysKeyDown, VK_MENU, 0x38};
    key.alt = key.rightAlt = true;
    return key;
}
KeyStroke AltUp() {
    return {KeyMessage::SysKeyUp, VK_MENU, 0x38};
}

std::string Decode(const std::string& bytes, int codePage) {
    std::string utf8;
    for (char c : bytes) {
        auto byte = static_cast<std::uint8_t>(c);
        AppendUtf8(utf8, codePage == 1251 ? Cp1251ToUnicode(byte) : Cp1252ToUnicode(byte));
    }
    return utf8;
}

// Types the keys one after the other and returns every character the window gets, as UTF-8.
std::string Type(M mode, const std::vector<KeyStroke>& keys) {
    KeyboardModeState state;
    state.Apply(mode);
    KeyTranslator translator;
    std::string typed;
    for (const KeyStroke& key : keys) {
        KeyTranslation out = translator.Translate(state, kForeignLayout, key);
        typed += Decode(out.Characters(), out.codePage);
    }
    return typed;
}

struct TypingCase {
    const char* name;
    M mode;
    std::vector<KeyStroke> keys;
    const char* expected;
};

TEST(KeyTranslatorTest, EachEmulationTypesItsLayout) {
    const TypingCase cases[] = {
        // Upper case is Caps Lock XOR Shift, for letters and punctuation alike.
        {"US letters",
         M::Latin,
         {Letter('Q'), Shift(Letter('Q')), Caps(Letter('Q')), Caps(Shift(Letter('Q')))},
         "qQQq"},
        {"US punctuation", M::Latin, {Shift(Scan(0x03)), Caps(Scan(0x02)), Scan(0x29), Shift(Scan(0x28))}, "@!`\""},
        {"US space and other keys type their key code", M::Latin, {Vk(VK_SPACE), Scan(0x56)}, " \\"},
        {"Russian Q with neither or both", M::Russian, {Letter('Q'), Caps(Shift(Letter('Q')))}, "йй"},
        {"Russian Q upper", M::Russian, {Shift(Letter('Q')), Caps(Letter('Q'))}, "ЙЙ"},
        {"Russian punctuation keys are letters",
         M::Russian,
         {Scan(0x1A), Scan(0x27), Shift(Scan(0x33)), Scan(0x35)},
         "хжБ."},
        {"Russian Shift+3", M::Russian, {Shift(Scan(0x04)), Shift(Scan(0x05))}, "№;"},
        {"typewriter Shift+1", M::RussianTypewriter, {Shift(Scan(0x02))}, "№"},
        {"typewriter letters", M::RussianTypewriter, {Letter('Q'), Letter('W'), Scan(0x0D), Shift(Scan(0x1A))}, "яшъЮ"},
        {"German Shift+2", M::German, {Shift(Scan(0x03))}, "\""},
        {"German umlauts and sharp s", M::German, {Scan(0x27), Shift(Scan(0x28)), Scan(0x1A), Scan(0x0C)}, "öÄüß"},
        {"German swaps Y and Z", M::German, {Scan(0x15), Scan(0x2C), Shift(Scan(0x15))}, "zyZ"},
        {"international plain keys are US", M::International, {Letter('A'), Shift(Scan(0x03)), Scan(0x1A)}, "a@["},
        {"Tab, Enter, Backspace, Escape",
         M::German,
         {Vk(VK_TAB), Vk(VK_RETURN), Vk(VK_BACK), Vk(VK_ESCAPE)},
         "\t\r\b\x1b"},
        {"keypad", M::Russian, {Vk(VK_NUMPAD0 + 5), Vk(VK_MULTIPLY), Vk(VK_DECIMAL), Vk(VK_DIVIDE)}, "5*./"},
        {"keys that type nothing", M::Latin, {Vk(VK_LEFT), Vk(VK_DELETE), Vk(VK_F1), Vk(VK_SHIFT), Vk(VK_CAPITAL)}, ""},
        {"Control with another key types the key", M::Russian, {Ctrl(Letter('Q'))}, "й"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Type(c.mode, c.keys), c.expected);
    }
}

TEST(KeyTranslatorTest, DeadKeysCombineOrTypeTheirOwnCharacter) {
    const TypingCase cases[] = {
        {"German acute", M::German, {Scan(0x0D), Letter('E')}, "é"},
        {"German grave", M::German, {Shift(Scan(0x0D)), Letter('E')}, "è"},
        {"German circumflex upper", M::German, {Scan(0x29), Caps(Letter('A'))}, "Â"},
        {"German circumflex then space", M::German, {Scan(0x29), Vk(VK_SPACE)}, "^"},
        {"German grave then space", M::German, {Shift(Scan(0x0D)), Vk(VK_SPACE)}, "‘"},
        {"German acute then K", M::German, {Scan(0x0D), Letter('K')}, "’k"},
        {"German acute on the German Y", M::German, {Scan(0x0D), Letter('Z'), Scan(0x0D), Shift(Letter('Z'))}, "ýÝ"},
        {"German dead key twice", M::German, {Scan(0x0D), Scan(0x0D)}, "’’"},
        {"German Shift between dead key and vowel", M::German, {Shift(Scan(0x0D)), Vk(VK_SHIFT), Letter('U')}, "ù"},
        {"international acute C", M::International, {Scan(0x28), Letter('C')}, "ç"},
        {"international acute Shift+C", M::International, {Scan(0x28), Shift(Letter('C'))}, "Ç"},
        {"international diaeresis O", M::International, {Shift(Scan(0x28)), Letter('O')}, "ö"},
        {"international tilde N", M::International, {Shift(Scan(0x29)), Letter('N')}, "ñ"},
        {"international tilde A upper", M::International, {Shift(Scan(0x29)), Caps(Letter('A'))}, "Ã"},
        {"international tilde drops on E", M::International, {Shift(Scan(0x29)), Letter('E')}, "e"},
        {"international tilde C", M::International, {Shift(Scan(0x29)), Letter('C')}, "~c"},
        {"international circumflex", M::International, {Shift(Scan(0x07)), Letter('I')}, "î"},
        {"international acute Y", M::International, {Scan(0x28), Letter('Y')}, "ý"},
        {"international grave Z", M::International, {Scan(0x29), Letter('Z')}, "`z"},
        {"international acute on a digit", M::International, {Scan(0x28), Scan(0x02)}, "'1"},
        {"international diaeresis space", M::International, {Shift(Scan(0x28)), Vk(VK_SPACE)}, "\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Type(c.mode, c.keys), c.expected);
    }
}

TEST(KeyTranslatorTest, EveryAccentOnEveryVowel) {
    struct Accent {
        int deadKey;
        const char* lower; // for U, I, O, E, A
    };
    const Accent accents[] = {
        {kDeadGrave, "ùìòèà"}, {kDeadAcute, "úíóéá"}, {kDeadCircumflex, "ûîôêâ"}, {kDeadDiaeresis, "üïöëä"}};
    const char vowels[] = "UIOEA";
    for (const Accent& accent : accents) {
        std::string lower, upper, expectedUpper;
        for (int i = 0; i < 5; ++i) {
            AppendUtf8(lower, Cp1252ToUnicode(AccentedVowel(vowels[i], accent.deadKey, false)));
            AppendUtf8(upper, Cp1252ToUnicode(AccentedVowel(vowels[i], accent.deadKey, true)));
        }
        std::size_t pos = 0;
        std::string expected = accent.lower;
        while (pos < expected.size())
            AppendUtf8(expectedUpper, Cp1252ToUnicode(*UnicodeToCp1252(NextUtf8(expected, pos)) - 32));
        EXPECT_EQ(lower, accent.lower) << accent.deadKey;
        EXPECT_EQ(upper, expectedUpper) << accent.deadKey;
    }
    EXPECT_EQ(AccentedVowel('A', kDeadTilde, false), 0xE3);
    EXPECT_EQ(AccentedVowel('O', kDeadTilde, true), 0xD5);
    EXPECT_EQ(AccentedVowel('E', kDeadTilde, false), 0);
}

TEST(KeyTranslatorTest, RightAltLayers) {
    const TypingCase cases[] = {
        {"German Q, 8, 1", M::German, {RightAltDown(), Letter('Q'), Scan(0x09), Scan(0x02)}, "@["},
        {"German E, M, minus", M::German, {RightAltDown(), Letter('E'), Letter('M'), Scan(0x0C)}, "€µ\\"},
        {"German right Alt is for lower case only",
         M::German,
         {RightAltDown(), Shift(Letter('Q')), Shift(Scan(0x09))},
         ""},
        {"German left Alt types the plain letter", M::German, {Alt(Vk(VK_MENU)), Alt(Letter('K'))}, "k"},
        {"German layer ends with Alt up", M::German, {RightAltDown(), AltUp(), Letter('Q')}, "q"},
        {"international 5 and J", M::International, {RightAltDown(), Scan(0x06), Letter('J')}, "€"},
        {"international letters",
         M::International,
         {RightAltDown(), Letter('S'), Shift(Letter('S')), Letter('Q')},
         "ß§ä"},
        {"international punctuation upper",
         M::International,
         {RightAltDown(), Shift(Scan(0x02)), Shift(Scan(0x06))},
         "¹"},
        {"international dead key then right Alt", M::International, {Scan(0x28), RightAltDown(), Letter('E')}, "é"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Type(c.mode, c.keys), c.expected);
    }
}

TEST(KeyTranslatorTest, ControlXVCAreTheClipboardInEveryMode) {
    for (M mode : {M::Latin, M::Russian, M::RussianTypewriter, M::German, M::International}) {
        SCOPED_TRACE(static_cast<int>(mode));
        EXPECT_EQ(Type(mode, {Ctrl(Letter('X')), Ctrl(Letter('V')), Ctrl(Letter('C'))}), "\x18\x16\x03");
        // With Alt as well it is the key itself (the right-Alt layer on some systems).
        KeyStroke ctrlAltV = Ctrl(Letter('V'));
        ctrlAltV.alt = true;
        EXPECT_NE(Type(mode, {ctrlAltV}), "\x16");
    }
}

TEST(KeyTranslatorTest, WhichMessagesEachEmulationTakes) {
    struct Case {
        const char* name;
        M mode;
        KeyStroke key;
        bool consumed;
        bool keyDownDelivered;
    };
    const KeyStroke keyUp{KeyMessage::KeyUp, 'Q', 0x10};
    const KeyStroke character{KeyMessage::Char, 'q', 0};
    const KeyStroke deadChar{KeyMessage::DeadChar, '^', 0};
    const KeyStroke sysChar{KeyMessage::SysChar, 'k', 0};
    const Case cases[] = {
        {"US key-down", M::Latin, Letter('Q'), true, true},
        {"US key-up", M::Latin, keyUp, false, false},
        {"US leaves Alt combinations", M::Latin, Alt(Letter('K')), false, false},
        {"US swallows the system's characters", M::Latin, character, true, false},
        {"US swallows dead characters", M::Latin, deadChar, true, false},
        {"US leaves system characters", M::Latin, sysChar, false, false},
        {"Russian leaves Alt combinations", M::Russian, Alt(Letter('K')), false, false},
        {"Russian swallows the system's characters", M::Russian, character, true, false},
        {"German takes Alt combinations", M::German, Alt(Letter('K')), true, true},
        {"German swallows system characters", M::German, sysChar, true, false},
        {"German key-up", M::German, keyUp, false, false},
        {"international takes Alt combinations", M::International, Alt(Letter('K')), true, true},
        {"off", M::Off, Letter('Q'), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardModeState state;
        state.Apply(c.mode);
        KeyTranslator translator;
        KeyTranslation out = translator.Translate(state, kForeignLayout, c.key);
        EXPECT_EQ(out.consumed, c.consumed);
        EXPECT_EQ(out.keyDownDelivered, c.keyDownDelivered);
    }
}

TEST(KeyTranslatorTest, AModeStandsAsideWhileItsOwnLayoutIsActive) {
    struct Case {
        M mode;
        const char* layout;
        bool translates;
    };
    const Case cases[] = {
        {M::Latin, "00000409", false},   {M::Latin, "00010409", false},  {M::Latin, "00000407", true},
        {M::Russian, "00000419", false}, {M::Russian, "00010419", true}, {M::RussianTypewriter, "00010419", false},
        {M::German, "00000407", false},  {M::German, "00000409", true},  {M::International, "00010409", true},
    };
    for (const auto& c : cases) {
        KeyboardModeState state;
        state.Apply(c.mode);
        KeyTranslator translator;
        EXPECT_EQ(translator.Translate(state, c.layout, Letter('Q')).consumed, c.translates)
            << static_cast<int>(c.mode) << " " << c.layout;
    }
}

TEST(KeyTranslatorTest, DeadKeysAndTheLastKeyAreSentAsTheirKeys) {
    KeyboardModeState international;
    international.Apply(M::International);
    KeyTranslator translator;
    KeyTranslation dead = translator.Translate(international, kForeignLayout, Shift(Scan(0x07)));
    ASSERT_EQ(dead.sent.size(), 1u);
    EXPECT_EQ(dead.sent[0], (SentCharacter{KeyMessage::DeadChar, '6'}));
    EXPECT_EQ(translator.m_nLastKey, '6');
    EXPECT_EQ(translator.m_nDeadKey, kDeadCircumflex);

    // A change of mode leaves a pending dead key pending.
    KeyboardModeState german;
    german.Apply(M::German);
    EXPECT_EQ(Decode(translator.Translate(german, kForeignLayout, Letter('O')).Characters(), 1252), "ô");
    EXPECT_EQ(translator.m_nDeadKey, kNoDeadKey);

    // German: a right-Alt key without a character answers an Alt key-down with its system character.
    translator.Translate(german, kForeignLayout, RightAltDown());
    KeyStroke altJ = Alt(Letter('J'));
    KeyTranslation sys = translator.Translate(german, kForeignLayout, altJ);
    ASSERT_EQ(sys.sent.size(), 1u);
    EXPECT_EQ(sys.sent[0], (SentCharacter{KeyMessage::SysChar, 'J'}));
    EXPECT_EQ(translator.m_nLastKey, 'J');
}

} // namespace
