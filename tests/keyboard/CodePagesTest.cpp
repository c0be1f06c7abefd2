// The byte <-> Unicode maps of the program's character sets.
#include "keyboard/CodePages.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePagesTest, EveryByteOfEverySetMapsToACharacterAndBack) {
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(UnicodeToPcByte(PcByteToUnicode(byte)), byte) << b;
        EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(byte)), byte) << b;
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(byte)), byte) << b;
    }
}

TEST(CodePagesTest, PcSetHasTheGermanCapitalsAndCyrillic) {
    const std::pair<std::uint8_t, char32_t> cases[] = {
        {0x41, U'A'},      {0x80, U'Ä'},      {0x81, U'Ö'}, {0x82, U'Ü'}, {0x83, U'ß'},
        {0xC0, U'А'},      {0xDF, U'Я'},      {0xE0, U'а'}, {0xFF, U'я'}, {0xA8, U'Ё'},
        {0xB9, U'\u2116'}, {0x84, U'\u201E'},
    };
    for (auto [byte, unicode] : cases)
        EXPECT_EQ(PcByteToUnicode(byte), unicode) << int(byte);
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'€');
    EXPECT_EQ(Cp1252ToUnicode(0xE4), U'ä');
    EXPECT_EQ(Cp1251ToUnicode(0x80), U'\u0402');
    EXPECT_FALSE(UnicodeToPcByte(U'ä').has_value());
}

TEST(CodePagesTest, Utf8ConversionsRoundTripAndReplaceWhatIsMissing) {
    EXPECT_EQ(Utf8ToPc("Müde МИР"), "M?de \xCC\xC8\xD0");
    EXPECT_EQ(PcToUtf8("\x82" "BER \xCC\xC8\xD0"), "ÜBER МИР");
    EXPECT_EQ(Utf8ToPc("\xFF\xC3"), "??"); // broken UTF-8 never reads past the end
}

} // namespace
