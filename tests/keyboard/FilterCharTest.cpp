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

} // namespace
