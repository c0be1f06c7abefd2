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
    EXPECT_EQ(PcToUtf8("A\x80\x81\x82\x83\xC0\xDF\xE0\xFF\xA8\xB9\x84"), "AÄÖÜßАЯаяЁ№„");
    EXPECT_EQ(Utf8ToPc("Müde МИР"), "M?de \xCC\xC8\xD0") << "what the set lacks becomes ?";
    EXPECT_EQ(Utf8ToPc("\xFF\xC3"), "??"); // broken UTF-8 never reads past the end
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'€');
    EXPECT_EQ(Cp1252ToUnicode(0xE4), U'ä');
    EXPECT_EQ(Cp1251ToUnicode(0x80), U'\u0402');
}

} // namespace
