// The shipped sample sections are valid section files, and the pieces they are made with.
#include "handheld/FaultPlan.h"
#include "handheld/HandheldText.h"
#include "handheld/SampleSections.h"
#include "handheld/SectionPackets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int Byte(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// The 0-terminated fields of a record's data from `offset` on; -1 when the data does not end with one.
int FieldCount(const std::string& data, std::size_t offset) {
    if (data.empty() || data.back() != '\0')
        return -1;
    return static_cast<int>(std::count(data.begin() + static_cast<long>(offset), data.end(), '\0'));
}

TEST(SampleSectionsTest, EverySectionIsAValidRunOfPacketsOfWellFormedRecords) {
    struct Case {
        char letter;
        std::size_t minimumPackets;
        int fields;
    };
    for (const Case& test : std::vector<Case>{{'T', 3, 3}, {'S', 3, 1}, {'E', 2, 2}, {'R', 2, 2}}) {
        SCOPED_TRACE(test.letter);
        const std::string section = SampleSection(test.letter);
        auto packets = SplitPackets(section);
        ASSERT_TRUE(packets.has_value());
        EXPECT_GE(packets->size(), test.minimumPackets);
        bool cyrillic = false;
        bool german = false;
        for (std::size_t p = 0; p < packets->size(); ++p) {
            const PacketSpan& packet = (*packets)[p];
            EXPECT_EQ(section[packet.offset], test.letter);
            EXPECT_EQ(Byte(section, packet.offset + 1), static_cast<int>(p));
            EXPECT_EQ(section[packet.offset + 4], p + 1 == packets->size() ? 'L' : 'N');
            EXPECT_LE(packet.length - 5, 2394u);
            std::size_t at = packet.offset + 5;
            const std::size_t end = packet.offset + packet.length;
            while (at < end) {
                ASSERT_LE(at + 2, end);
                const std::size_t n = static_cast<std::size_t>(Byte(section, at) | Byte(section, at + 1) << 8);
                ASSERT_LE(at + 2 + n, end) << "a record runs past its packet";
                ASSERT_LE(n, 256u);
                const std::string data = section.substr(at + 2, n);
                if (test.letter == 'S') {
                    EXPECT_TRUE(Byte(data, 0) >= 1 && Byte(data, 0) <= 12 && Byte(data, 1) >= 1 && Byte(data, 1) <= 31);
                    EXPECT_TRUE(Byte(data, 3) == 0x6E || Byte(data, 3) == 0xEE);
                    EXPECT_TRUE(data[4] == '\0' && data[9] == '\0');
                    EXPECT_TRUE(Byte(data, 5) < 24 && Byte(data, 6) < 60 && Byte(data, 7) < 24 && Byte(data, 8) < 60);
                    EXPECT_EQ(FieldCount(data, 10), test.fields);
                } else {
                    EXPECT_TRUE(Byte(data, 0) == 0x72 || Byte(data, 0) == 0xF2);
                    EXPECT_EQ(FieldCount(data, 1), test.fields);
                }
                EXPECT_EQ(data.find('?'), std::string::npos) << "a character outside the handheld's set";
                for (char c : data) {
                    const int value = static_cast<unsigned char>(c);
                    cyrillic |= (value >= 0x80 && value <= 0x9F) || value == 0xF0;
                    german |= value >= 0xF2 && value <= 0xF5;
                }
                at += 2 + n;
            }
            EXPECT_EQ(at, end);
        }
        EXPECT_TRUE(cyrillic);
        if (test.letter == 'T') {
            EXPECT_TRUE(german);
        }
    }
    EXPECT_EQ(SampleSection('M'), "");
}

TEST(SampleSectionsTest, PacksRecordsIntoPacketsOfAtMost2394RecordBytes) {
    // Records of 100 data bytes take 102 bytes each: 23 fill 2346, a 24th would make 2448.
    const std::vector<std::string> hundreds(30, std::string(100, 'x'));
    auto packets = SplitPackets(PackSection('E', hundreds));
    ASSERT_TRUE(packets);
    ASSERT_EQ(packets->size(), 2u);
    EXPECT_EQ((*packets)[0].length, 5u + 23 * 102);
    EXPECT_EQ((*packets)[1].length, 5u + 7 * 102);
    // Exactly 2394 record bytes stay in one packet.
    std::vector<std::string> exact(21, std::string(112, 'y')); // 21 * 114 = 2394
    EXPECT_EQ(SplitPackets(PackSection('T', exact))->size(), 1u);
    exact.back() += 'z';
    EXPECT_EQ(SplitPackets(PackSection('T', exact))->size(), 2u);
    // No records: one header, packet length 5.
    EXPECT_EQ(PackSection('R', {}), std::string("R\0\x05\0L", 5));
}

TEST(SampleSectionsTest, WritesTheHandheldsCharacterSet) {
    EXPECT_EQ(ToHandheldText("АБЯЁÄÖÜß A1\n"), std::string("\x80\x81\x9F\xF0\xF2\xF3\xF4\xF5 A1\n"));
    EXPECT_EQ(ToHandheldText("é"), "?");
}

TEST(SampleSectionsTest, SplitsOnlyWholeRunsOfPackets) {
    struct Case {
        std::string file;
        std::size_t packets; // 0: invalid
    };
    const std::vector<Case> cases = {
        {std::string("T\0\0\0L", 5), 1},
        {std::string("T\0\x06\0NxT\x01\x05\0L", 11), 2},
        {std::string("T\0\x03\0L", 5), 0},           // length 1 to 4
        {std::string("T\0\x09\0Lxx", 7), 0},         // cut short
        {std::string("T\0\x05\0N", 5), 0},           // no last packet
        {std::string("T\0\x05\0Lextra", 10), 0},     // bytes after the last packet
    };
    for (const Case& test : cases) {
        auto packets = SplitPackets(test.file);
        EXPECT_EQ(packets ? packets->size() : 0u, test.packets);
    }
}

TEST(SampleSectionsTest, FaultRulesReadTheirSpecification) {
    struct Case {
        const char* text;
        bool valid;
        std::vector<int> at;
        double chance;
    };
    const std::vector<Case> cases = {
        {"3", true, {3}, 0.0},     {"2,5,9", true, {2, 5, 9}, 0.0}, {"25%", true, {}, 0.25},
        {"all", true, {}, 1.0},    {"0", false, {}, 0},             {"", false, {}, 0},
        {"2,,3", false, {}, 0},    {"x", false, {}, 0},             {"101%", false, {}, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        auto rule = ParseFaultRule(test.text);
        ASSERT_EQ(rule.has_value(), test.valid);
        if (rule) {
            EXPECT_EQ(rule->at, test.at);
            EXPECT_DOUBLE_EQ(rule->chance, test.chance);
        }
    }
    // The same seed picks the same occurrences.
    FaultRandom first(42), second(42);
    FaultRule half{{}, 0.5};
    for (int i = 1; i <= 50; ++i)
        EXPECT_EQ(Hits(half, i, first), Hits(half, i, second));
}

} // namespace
