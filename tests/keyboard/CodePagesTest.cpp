// The program's character sets: the byte <-> Unicode maps, and what a record field keeps of every
// byte on both keyboard sides.
#include "keyboard/CodePages.h"
#include "keyboard/FilterChar.h"

#include <gtest/gtest.h>

#include <map>

TEST(CodePagesTest, EveryByteOfEverySetMapsToACharacterAndBack) {
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(UnicodeToPcByte(PcByteToUnicode(byte)), byte) << b;
        EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(byte)), byte) << b;
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(byte)), byte) << b;
    }
}

TEST(CodePagesTest, PcSetHasTheGermanCapitalsAndCyrillic) {
    EXPECT_EQ(PcToUtf8("A\x80\x81\x82\x83\xC0\xDF\xE0\xFF\xA8\xB9\x84"), "AÄÖÜßАЯаяЁ№„");
    EXPECT_EQ(Utf8ToPc("Müde МИР"), "M?de \xCC\xC8\xD0") << "what the set lacks becomes ?";
    EXPECT_EQ(Utf8ToPc("\xFF\xC3"), "??"); // broken UTF-8 never reads past the end
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'€');
    EXPECT_EQ(Cp1251ToUnicode(0x80), U'\u0402');
}

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
    if (!latin) // the small letters up from 0xE0 to their capitals, 0xFF among them
        return byte >= 0xE0 ? static_cast<std::uint8_t>(byte - 0x20) : byte;
    auto found = latinFolding.find(byte);
    return found == latinFolding.end() ? std::nullopt : std::optional(found->second);
}

} // namespace

TEST(FilterCharTest, EveryByteOnBothSidesFollowsTheFieldRules) {
    for (bool latin : {true, false})
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            auto expected = Expected(static_cast<std::uint8_t>(b), latin);
            ASSERT_EQ(FilterChar(c, latin), expected.has_value()) << (latin ? "latin " : "cyrillic ") << b;
            // A refused byte is left alone.
            EXPECT_EQ(static_cast<std::uint8_t>(c), expected.value_or(b)) << (latin ? "latin " : "cyrillic ") << b;
        }
}
