// The records of section files: their characters converted between handheld
// and PC text, and their packets and bytes, read and written.
#include "records/SectionFormat.h"

#include "records/EditorLayout.h"
#include "records/ScopedLocale.h"
#include "records/SectionBytes.h"
#include "records/Sections.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

SectionReadResult Read(const std::string& bytes, int section) {
    SectionRecord converter("!", "!");
    return ReadSectionBytes(bytes, section, converter);
}

std::optional<std::string> Write(const std::vector<SectionRecord>& records, int section) {
    SectionRecord converter("!", "!");
    return WriteSectionBytes(records, section, converter);
}

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

// The schedule's times byte decides which times the record carries, where its
// text begins and whether it is locked. Date 1 March 2000; text "HI". Written
// back, every shape carries both times, the text at offset 10 and the PC's
// times byte.
TEST(SectionFormatTest, ScheduleRecordShapes) {
    struct Shape {
        std::string read, written; // the bytes between the times byte and the text
        const char* times;
    };
    const Shape none{Bytes({0, 0}), Bytes({0, 0, 0, 23, 59, 0}), "00:00:00 - 23:59:00"};
    const Shape startOnly{Bytes({0, 8, 15, 0}), Bytes({0, 8, 15, 23, 59, 0}), "08:15:00 - 23:59:00"};
    const Shape both{Bytes({0, 8, 15, 17, 45, 0}), Bytes({0, 8, 15, 17, 45, 0}), "08:15:00 - 17:45:00"};
    const std::tuple<int, int, Shape> cases[] = {
        // times byte, locked, shape
        {0x0E, 0, none}, {0x8E, 1, none}, {0x4E, 0, startOnly}, {0xCE, 1, startOnly},
        {0x6E, 0, both}, {0xEE, 1, both}, {0x00, 0, both},
    };
    for (const auto& [timesByte, locked, shape] : cases) {
        SCOPED_TRACE(timesByte);
        const std::string data = Bytes({3, 1, 100, timesByte}) + shape.read + "HI" + '\0';
        SectionReadResult read = Read(PacketBytes('S', 0, RecordBytes(data)), kSectionSchedule);
        ASSERT_EQ(read.records.size(), 1u);
        EXPECT_FALSE(read.damaged);
        EXPECT_EQ(read.records[0].m_lstFields, (Fields{"01/03/2000", shape.times, "HI"}));
        EXPECT_EQ(read.records[0].m_nLocked, locked);
        const std::string written = Bytes({3, 1, 100, locked ? 0xEE : 0x6E}) + shape.written + "HI" + '\0';
        EXPECT_EQ(Write(read.records, kSectionSchedule), PacketBytes('S', 0, RecordBytes(written)));
    }
}

// Only F2 marks a record locked; the writer's lock bytes are checked where
// whole files are saved.
TEST(SectionFormatTest, RecordDataIsSplitAtZeroBytesAndItsLastByteIsAlwaysTheEnd) {
    const std::tuple<const char*, int, std::string, Fields, int> cases[] = {
        // name, section, record data, fields, locked
        {"last byte taken as the closing zero", kSectionGermanRussian, Bytes({0x72}) + "AB", {"A", ""}, 0},
        {"fewer fields are completed", kSectionTelephone, Bytes({0xF2}) + "A" + '\0', {"A", "", ""}, 1},
        {"more fields are kept", kSectionRussianGerman, Bytes({0xF3, 'A', 0, 'B', 0, 'C', 0}), {"A", "B", "C"}, 0},
        {"short schedule record", kSectionSchedule, Bytes({3, 1, 100}), {"01/03/1900", "00:00:00 - 00:00:00", ""}, 0},
        {"impossible date and times",
         kSectionSchedule,
         Bytes({13, 32, 255, 0x6E, 0, 24, 0, 12, 60, 0, 'X', 0}),
         {"", " - ", "X"},
         0},
    };
    for (const auto& [name, section, data, fields, locked] : cases) {
        SCOPED_TRACE(name);
        SectionReadResult read = Read(PacketBytes(SectionLetter(section), 0, RecordBytes(data)), section);
        ASSERT_EQ(read.records.size(), 1u);
        EXPECT_FALSE(read.damaged);
        EXPECT_EQ(read.records[0].m_lstFields, fields);
        EXPECT_EQ(read.records[0].m_nLocked, locked);
    }
}

// Fields beyond the section are dropped and missing ones written empty; schedule dates and times are
// packed as bytes in any locale, and a date the year byte cannot carry becomes the nearest one it can.
TEST(SectionFormatTest, RecordsAreWrittenAsTheHandheldStoresThem) {
    const std::tuple<int, Fields, const char*, std::string> cases[] = {
        // section, fields of a locked record, date order and clock, record data
        // Fields beyond the section, and missing ones.
        {kSectionGermanRussian, {"A", "B", "C"}, "11", Bytes({0xF2, 'A', 0, 'B', 0})},
        {kSectionGermanRussian, {"D"}, "11", Bytes({0xF2, 'D', 0, 0})},
        // Month first, 12-hour clock.
        {kSectionSchedule,
         {"03/01/2000", "08:00:00AM - 09:30:00AM", "X"},
         "00",
         Bytes({3, 1, 0x64, 0xEE, 0, 8, 0, 9, 30, 0, 'X', 0})},
        // After 2155, one time; before 1900, a time that cannot be read.
        {kSectionSchedule, {"01/01/2156", "10:00:00", ""}, "11", Bytes({12, 31, 255, 0xEE, 0, 10, 0, 0, 0, 0, 0})},
        {kSectionSchedule, {"31/12/1899", "x - 11:00:00", ""}, "11", Bytes({1, 1, 0, 0xEE, 0, 0, 0, 11, 0, 0, 0})},
    };
    for (const auto& [section, fields, locale, data] : cases) {
        SCOPED_TRACE(fields[0]);
        ScopedLocale scoped(std::string(1, locale[0]), std::string(1, locale[1]));
        EXPECT_EQ(Write({Record(fields, 1)}, section), PacketBytes(SectionLetter(section), 0, RecordBytes(data)));
    }
}

// Dictionary records of a chosen data length n: lock byte, a word of n - 3
// letters, an empty translation.
SectionRecord RecordOfLength(std::size_t length) { return Record({std::string(length - 3, 'W'), ""}); }

TEST(SectionFormatTest, RecordStaysInThePacketUpTo2394AndOpensANewOneFrom2395) {
    for (std::size_t next : {126u, 127u}) {
        SCOPED_TRACE(next);
        // Nine records of 250 data bytes fill a body of 9 x 252 = 2268 bytes.
        std::vector<SectionRecord> records(9, RecordOfLength(250));
        records.insert(records.end(), {RecordOfLength(next), RecordOfLength(4)});
        const std::string bytes = Write(records, kSectionGermanRussian).value_or("");

        const std::size_t firstBody = next == 126 ? 2268 + 128 : 2268;
        ASSERT_GT(bytes.size(), firstBody + 5);
        EXPECT_EQ(bytes.substr(0, 5), Bytes({'E', 0, int((firstBody + 5) & 0xFF), int((firstBody + 5) >> 8), 'N'}));
        const std::string second = bytes.substr(firstBody + 5);
        const std::size_t secondBody = next == 126 ? 6 : 129 + 6;
        EXPECT_EQ(second.substr(0, 5), Bytes({'E', 1, int(secondBody + 5), 0, 'L'}));
        EXPECT_EQ(second.size(), secondBody + 5);

        SectionReadResult read = Read(bytes, kSectionGermanRussian);
        EXPECT_FALSE(read.damaged);
        ASSERT_EQ(read.records.size(), records.size());
        EXPECT_EQ(read.records[9].m_lstFields, records[9].m_lstFields);
    }
}

TEST(SectionFormatTest, RecordsLongerThanTheHandheldTakesAreNotWritten) {
    EXPECT_TRUE(Write({RecordOfLength(256)}, kSectionGermanRussian));
    EXPECT_FALSE(Write({RecordOfLength(257)}, kSectionGermanRussian));
}

// The editor's field limits keep every record within the handheld's 256 bytes.
TEST(EditorLayoutTest, RecordsFilledToTheFieldLimitsStillFitTheHandheldsRecord) {
    for (int section : {kSectionTelephone, kSectionSchedule, kSectionGermanRussian, kSectionRussianGerman}) {
        SCOPED_TRACE(section);
        Fields fields;
        for (int field = 0; field < SectionFieldCount(section); ++field)
            fields.emplace_back(static_cast<std::size_t>(FieldLengthLimit(section, field)), 'W');
        if (section == kSectionSchedule)
            fields = {"31/12/2155", "23:59:00 - 23:59:00", fields[2]};
        EXPECT_TRUE(Write({Record(fields)}, section)) << "the record fits in its 256 bytes";
    }
    EXPECT_EQ(FieldLengthLimit(kSectionMemo, 0), 0);
}

// Whatever the file holds, the reader keeps the records before the damage and
// reads nothing beyond the file.
TEST(SectionFormatTest, DamagedFilesKeepTheRecordsBeforeTheDamage) {
    const std::string good = RecordBytes(Bytes({0x72, 'A', 0, 0})), first = PacketBytes('E', 0, good, 'N');
    auto header = [](int length, char marker) { return Bytes({'E', 1, length & 0xFF, length >> 8, marker}); };
    const std::tuple<const char*, std::string, std::size_t> cases[] = {
        {"packet length 1", first + header(1, 'L') + good, 1},
        {"packet length 4", first + header(4, 'L') + good, 1},
        {"record bytes beyond 2400", first + header(2406, 'L') + std::string(2401, '\0'), 1},
        {"record longer than the packet", first + header(5 + 6, 'L') + RecordBytes(std::string(5, 'x')), 1},
        {"record longer than 256", first + header(5 + 259, 'L') + RecordBytes(std::string(257, 'x')), 1},
        {"one stray byte after the last record", first + header(5 + 7, 'L') + good + "x", 2},
        {"file ends inside a packet", first + header(5 + 12, 'L') + good + good.substr(0, 3), 2},
        {"file ends inside a header", first + header(5, 'L').substr(0, 3), 1},
        {"file ends before L", first, 1},
        {"record inside a damaged packet", first + header(5 + 6 + 2, 'L') + good + Bytes({9, 0}), 2},
    };
    for (const auto& [name, file, records] : cases) {
        SCOPED_TRACE(name);
        SectionReadResult read = Read(file, kSectionGermanRussian);
        EXPECT_TRUE(read.damaged);
        ASSERT_EQ(read.records.size(), records);
        for (const SectionRecord& record : read.records)
            EXPECT_EQ(record.m_lstFields, (Fields{"A", ""}));
    }
}

// Packets follow each other until the one marked L, whatever comes after it.
// The handheld's packet buffer takes 2400 record bytes, more than the PC
// writes, and records of length 0 are skipped.
TEST(SectionFormatTest, WholeFilesAreReadUpToThePacketMarkedL) {
    const std::string a = RecordBytes(Bytes({0x72, 'A', 0, 0})), b = RecordBytes(Bytes({0x72, 'B', 0, 0}));
    std::string full;
    for (int i = 0; i < 10; ++i)
        full += RecordBytes(Bytes({0x72}) + std::string(235, 'W') + '\0' + '\0');
    const std::pair<std::string, std::size_t> cases[] = {
        {PacketBytes('E', 0, a, 'N') + PacketBytes('E', 1, "", '?') + PacketBytes('E', 2, b) + PacketBytes('E', 3, a),
         2},
        {PacketBytes('E', 0, full), 10},
        {PacketBytes('E', 0, RecordBytes("") + full.substr(240) + RecordBytes("")), 9},
    };
    for (const auto& [file, records] : cases) {
        SCOPED_TRACE(records);
        SectionReadResult read = Read(file, kSectionGermanRussian);
        EXPECT_FALSE(read.damaged);
        EXPECT_EQ(read.records.size(), records);
    }
}

} // namespace
