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
    struct Case {
        const char* name;
        std::string handheld, pc;
        char input, toPc, toHandheld;
    };
    const Case cases[] = {
        {"pair", "ab", "xy", 'a', 'x', 'a'},
        {"not in table", "ab", "xy", 'c', 'c', 'c'},
        {"second source of a PC character", "aa", "xy", 'y', 'y', 'a'},
        {"partner string too short", "abc", "x", 'c', 'c', 'c'},
        {"high bytes", "\x80\xF2", "\xC0\x80", '\x80', '\xC0', '\xF2'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionRecord record(c.handheld, c.pc);
        char toPc = c.input, toHandheld = c.input;
        record.HandheldCharToPc(toPc);
        record.PcCharToHandheld(toHandheld);
        EXPECT_EQ(toPc, c.toPc);
        EXPECT_EQ(toHandheld, c.toHandheld);
    }
}

TEST(SectionRecordConversionTest, TextsConvertFieldByFieldWithTheirLineBreaks) {
    struct Case {
        const char* name;
        std::uint8_t section;
        int fieldCount;
        Fields handheld, pc;
    };
    const Case cases[] = {
        {"identity but line breaks", 1, 3, {"A\nB", "", "X\n\n"}, {"A\r\nB", "", "X\r\n\r\n"}},
        {"table", 3, 2, {"abc", "cab"}, {"xyc", "cxy"}},
        {"schedule converts only its text", 2, 3, {"a\n\x01", "b\n", "a\nb"}, {"a\n\x01", "b\n", "x\r\ny"}},
        {"fields beyond the count stay", 4, 2, {"a", "b", "a\n"}, {"x", "y", "a\n"}},
        {"missing fields are skipped", 1, 3, {"a"}, {"x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionRecord record = Record(c.handheld, 0, "ab", "xy");
        record.ToPcText(c.section, c.fieldCount);
        EXPECT_EQ(record.m_lstFields, c.pc);
        record.ToHandheldText(c.section, c.fieldCount);
        EXPECT_EQ(record.m_lstFields, c.handheld);
    }
    // A carriage return the PC holds without its line feed is dropped as well.
    SectionRecord record = Record({"A\rB\r\nC", "\r"}, 0, "!", "!");
    record.ToHandheldText(3, 2);
    EXPECT_EQ(record.m_lstFields, (Fields{"AB\nC", ""}));
}
