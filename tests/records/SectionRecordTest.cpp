// Character conversion of a record between handheld and PC text.
#include "records/SectionRecord.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

SectionRecord Record(std::string handheld, std::string pc, Fields fields) {
    SectionRecord record(std::move(handheld), std::move(pc));
    record.m_lstFields = std::move(fields);
    return record;
}

using SectionRecordTest = TempHomeTest;

TEST_F(SectionRecordTest, DefaultConstructionReadsTheTablesFromTheProfileEachTime) {
    SectionRecord withoutProfile;
    EXPECT_EQ(withoutProfile.m_strHandheldTable, "!");
    EXPECT_EQ(withoutProfile.m_strPcTable, "!");
    EXPECT_TRUE(withoutProfile.m_lstFields.empty());
    EXPECT_EQ(withoutProfile.m_nLocked, 0);

    m_temp.WriteProfile("[interface]\r\nOVGeRuTable=ab\r\nPCGeRuTable=xy\r\n");
    SectionRecord withProfile;
    EXPECT_EQ(withProfile.m_strHandheldTable, "ab");
    EXPECT_EQ(withProfile.m_strPcTable, "xy");
}

TEST_F(SectionRecordTest, CopiesTakeFieldsAndLockButNeverTheTables) {
    SectionRecord source = Record("ab", "xy", {"ONE", "TWO"});
    source.m_nLocked = 1;

    SectionRecord copy(source);
    EXPECT_EQ(copy.m_lstFields, source.m_lstFields);
    EXPECT_EQ(copy.m_nLocked, 1);
    EXPECT_EQ(copy.m_strHandheldTable, "");
    EXPECT_EQ(copy.m_strPcTable, "");

    SectionRecord target = Record("12", "34", {"OLD"});
    target = source;
    EXPECT_EQ(target.m_lstFields, source.m_lstFields);
    EXPECT_EQ(target.m_nLocked, 1);
    EXPECT_EQ(target.m_strHandheldTable, "12");
    EXPECT_EQ(target.m_strPcTable, "34");

    SectionRecord moved = Record("56", "78", {});
    moved = std::move(copy);
    EXPECT_EQ(moved.m_lstFields, source.m_lstFields);
    EXPECT_EQ(moved.m_strHandheldTable, "56");
}

TEST(SectionRecordConversionTest, CharactersFollowTheFirstMatchOfTheTable) {
    struct Case {
        const char* name;
        std::string handheld, pc;
        char input;
        char toPc, toHandheld;
    };
    const Case cases[] = {
        {"pair", "ab", "xy", 'a', 'x', 'a'},
        {"not in table", "ab", "xy", 'c', 'c', 'c'},
        {"first match on handheld side", "aa", "xy", 'a', 'x', 'a'},
        {"second source of a PC character", "aa", "xy", 'y', 'y', 'a'},
        {"partner string too short", "abc", "x", 'c', 'c', 'c'},
        {"high bytes", "\x80\xF2", "\xC0\x80", '\x80', '\xC0', '\xF2'},
        {"empty tables", "", "", 'a', 'a', 'a'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionRecord record(c.handheld, c.pc);
        char toPc = c.input;
        record.HandheldCharToPc(toPc);
        EXPECT_EQ(toPc, c.toPc);
        char toHandheld = c.input;
        record.PcCharToHandheld(toHandheld);
        EXPECT_EQ(toHandheld, c.toHandheld);
    }
}

TEST(SectionRecordConversionTest, TextsConvertFieldByFieldWithTheirLineBreaks) {
    struct Case {
        const char* name;
        std::uint8_t section;
        int fieldCount;
        Fields handheld;
        Fields pc;
    };
    const Case cases[] = {
        {"identity but line breaks", 1, 3, {"A\nB", "", "X\n\n"}, {"A\r\nB", "", "X\r\n\r\n"}},
        {"table", 3, 2, {"abc", "cab"}, {"xyc", "cxy"}},
        {"schedule converts only its text", 2, 3, {"a\n\x01", "b\n", "a\nb"}, {"a\n\x01", "b\n", "x\r\ny"}},
        {"fields beyond the count stay", 4, 2, {"a", "b", "a\n"}, {"x", "y", "a\n"}},
        {"missing fields are skipped", 1, 3, {"a"}, {"x"}},
        {"empty record", 1, 3, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionRecord record = Record("ab", "xy", c.handheld);
        record.ToPcText(c.section, c.fieldCount);
        EXPECT_EQ(record.m_lstFields, c.pc);
        record.ToHandheldText(c.section, c.fieldCount);
        EXPECT_EQ(record.m_lstFields, c.handheld);
    }
}

TEST(SectionRecordConversionTest, PcCarriageReturnsAreDroppedEvenWithoutLineFeed) {
    SectionRecord record = Record("!", "!", {"A\rB\r\nC", "\r"});
    record.ToHandheldText(3, 2);
    EXPECT_EQ(record.m_lstFields, (Fields{"AB\nC", ""}));
}

TEST_F(SectionRecordTest, DeliveredTableConvertsCyrillicAndUmlautsBothWays) {
    m_temp.InstallDeliveredProfile();
    SectionRecord record;
    // Handheld: Cyrillic capitals at 80h-9Fh, Ё at F0h, Ä Ö Ü ß at F2h-F5h.
    record.m_lstFields = {"\x8C\x88\x90 \xF0", "\xF2\xF3\xF4\xF5 AZ", ""};
    record.ToPcText(1, 3);
    EXPECT_EQ(record.m_lstFields, (Fields{"\xCC\xC8\xD0 \xA8", "\x80\x81\x82\x83 AZ", ""}));
    record.ToHandheldText(1, 3);
    EXPECT_EQ(record.m_lstFields, (Fields{"\x8C\x88\x90 \xF0", "\xF2\xF3\xF4\xF5 AZ", ""}));
}

} // namespace
