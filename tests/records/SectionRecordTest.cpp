// Character conversion of a record between handheld and PC text.
#include "records/SectionRecord.h"

#include "records/SectionBytes.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

// A copy is of the record's contents; the tables belong to the object.
TEST(SectionRecordCopyTest, CopiesTakeFieldsAndLockButNeverTheTables) {
    const SectionRecord source = Record({"ONE", "TWO"}, 1, "ab", "xy");
    SectionRecord target = Record({"OLD"}, 0, "12", "34");
    target = source;
    EXPECT_EQ(target.m_lstFields, source.m_lstFields);
    EXPECT_EQ(target.m_nLocked, 1);
    EXPECT_EQ(target.m_strHandheldTable + "/" + target.m_strPcTable, "12/34");
    EXPECT_EQ(SectionRecord(source).m_strHandheldTable, "");
}

TEST(SectionRecordConversionTest, CharactersFollowTheFirstMatchOfTheTable) {
    const std::tuple<const char*, std::string, std::string, char, char, char> cases[] = {
        // name, handheld table, PC table, the character, converted to the PC, converted to the handheld
        {"pair", "ab", "xy", 'a', 'x', 'a'},
        {"not in table", "ab", "xy", 'c', 'c', 'c'},
        {"second source of a PC character", "aa", "xy", 'y', 'y', 'a'},
        {"partner string too short", "abc", "x", 'c', 'c', 'c'},
        {"high bytes", "\x80\xF2", "\xC0\x80", '\x80', '\xC0', '\xF2'},
    };
    for (const auto& [name, handheld, pc, input, expectedPc, expectedHandheld] : cases) {
        SCOPED_TRACE(name);
        SectionRecord record(handheld, pc);
        char toPc = input, toHandheld = input;
        record.HandheldCharToPc(toPc);
        record.PcCharToHandheld(toHandheld);
        EXPECT_EQ(toPc, expectedPc);
        EXPECT_EQ(toHandheld, expectedHandheld);
    }
}

TEST(SectionRecordConversionTest, TextsConvertFieldByFieldWithTheirLineBreaks) {
    const std::tuple<const char*, std::uint8_t, int, Fields, Fields> cases[] = {
        // name, section, fields converted, handheld texts, PC texts
        {"identity but line breaks", 1, 3, {"A\nB", "", "X\n\n"}, {"A\r\nB", "", "X\r\n\r\n"}},
        {"table", 3, 2, {"abc", "cab"}, {"xyc", "cxy"}},
        {"schedule converts only its text", 2, 3, {"a\n\x01", "b\n", "a\nb"}, {"a\n\x01", "b\n", "x\r\ny"}},
        {"fields beyond the count stay", 4, 2, {"a", "b", "a\n"}, {"x", "y", "a\n"}},
        {"missing fields are skipped", 1, 3, {"a"}, {"x"}},
    };
    for (const auto& [name, section, fieldCount, handheld, pc] : cases) {
        SCOPED_TRACE(name);
        SectionRecord record = Record(handheld, 0, "ab", "xy");
        record.ToPcText(section, fieldCount);
        EXPECT_EQ(record.m_lstFields, pc);
        record.ToHandheldText(section, fieldCount);
        EXPECT_EQ(record.m_lstFields, handheld);
    }
    // A carriage return the PC holds without its line feed is dropped as well.
    SectionRecord record = Record({"A\rB\r\nC", "\r"}, 0, "!", "!");
    record.ToHandheldText(3, 2);
    EXPECT_EQ(record.m_lstFields, (Fields{"AB\nC", ""}));
}
