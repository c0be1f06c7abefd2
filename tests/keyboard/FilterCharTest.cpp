// What a record field keeps of every byte, on both keyboard sides.
#include "keyboard/FilterChar.h"

#include "keyboard/CodePages.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

// The Latin side's folding, written as the characters a user types (both cases), so that a
// wrong byte in the program's table shows up here as a different character.
std::map<std::uint8_t, std::uint8_t> LatinFoldingByCharacter() {
    const std::pair<std::u32string_view, std::uint8_t> folds[] = {
        {U"ÀÁÂÃÅàáâãå", 'A'}, {U"Çç", 'C'},         {U"Ðð", 'D'},  {U"ÈÉÊËèéêë", 'E'}, {U"ÌÍÎÏìíîï", 'I'},
        {U"Ññ", 'N'},         {U"ÒÓÔÕØòóôõø", 'O'}, {U"Šš", 'S'},  {U"ÙÚÛùúû", 'U'},   {U"ŸÝýÿ", 'Y'},
        {U"Ää", 0x80},        {U"Öö", 0x81},        {U"Üü", 0x82}, {U"ß", 0x83},
    };
    std::map<std::uint8_t, std::uint8_t> table;
    for (auto [characters, result] : folds)
        for (char32_t c : characters)
            table[UnicodeToCp1252(c).value()] = result;
    return table;
}

std::optional<std::uint8_t> Expected(std::uint8_t byte, bool latin) {
    static const auto latinFolding = LatinFoldingByCharacter();
    if (byte >= 'a' && byte <= 'z')
        return static_cast<std::uint8_t>(byte - 'a' + 'A');
    if (byte < 0x7F)
        return byte;
    if (!latin) {
        if (byte == 0xFF)
            return 0xDF;
        return byte >= 0xE0 ? static_cast<std::uint8_t>(byte - 0x20) : byte;
    }
    auto found = latinFolding.find(byte);
    if (found == latinFolding.end())
        return std::nullopt;
    return found->second;
}

TEST(FilterCharTest, EveryByteOnBothSidesFollowsTheFieldRules) {
    for (bool latin : {true, false})
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            bool accepted = FilterChar(c, latin);
            auto expected = Expected(static_cast<std::uint8_t>(b), latin);
            ASSERT_EQ(accepted, expected.has_value()) << (latin ? "latin " : "cyrillic ") << b;
            if (accepted)
                EXPECT_EQ(static_cast<std::uint8_t>(c), *expected) << (latin ? "latin " : "cyrillic ") << b;
            else
                EXPECT_EQ(static_cast<std::uint8_t>(c), b) << "a refused byte is left alone";
        }
}

TEST(FilterCharTest, TypedCharactersOfTheUsersExamples) {
    struct Case {
        char32_t typed;
        bool latin;
        std::optional<std::uint8_t> stored;
    };
    // BFh is ¿ in code page 1252 and ї in 1251: each side types it with its own character.
    const Case cases[] = {
        {U'ä', true, 0x80}, {U'Ö', true, 0x81},  {U'ü', true, 0x82},  {U'ß', true, 0x83},     {U'é', true, 'E'},
        {U'¿', true, {}},   {U'q', true, 'Q'},   {U'{', true, '{'},   {U'~', true, '~'},      {U'\b', true, '\b'},
        {U'7', true, '7'},  {U'я', false, 0xDF}, {U'ж', false, 0xC6}, {U'ї', false, 0xBF},    {U'q', false, 'Q'},
        {U'|', false, '|'}, {U'ё', false, 0xB8}, {U'\x7F', true, {}}, {U'\x7F', false, 0x7F}, {U'ÿ', true, 'Y'},
    };
    for (const auto& c : cases) {
        auto byte = c.latin ? UnicodeToCp1252(c.typed) : UnicodeToCp1251(c.typed);
        ASSERT_TRUE(byte.has_value()) << static_cast<unsigned>(c.typed);
        char ch = static_cast<char>(*byte);
        bool accepted = FilterChar(ch, c.latin);
        EXPECT_EQ(accepted, c.stored.has_value()) << static_cast<unsigned>(c.typed);
        if (accepted && c.stored) {
            EXPECT_EQ(static_cast<std::uint8_t>(ch), *c.stored) << static_cast<unsigned>(c.typed);
        }
    }
}

TEST(FilterCharTest, TextKeepsTheAcceptedBytesInOrder) {
    EXPECT_EQ(FilterText("m\xFC"
                         "de",
                         true),
              "M\x82"
              "DE");
    EXPECT_EQ(FilterText("\xBF"
                         "a\xE9"
                         "b\xD7",
                         true),
              "AEB");
    EXPECT_EQ(FilterText("\xFF\xE6\xBF", false), "\xDF\xC6\xBF");
    EXPECT_EQ(FilterText("", true), "");
}

} // namespace
