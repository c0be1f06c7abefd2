// The shipped sample sections and the pieces they are made with.
#include "handheld/FaultPlan.h"
#include "handheld/HandheldText.h"
#include "handheld/SampleSections.h"
#include "handheld/SectionPackets.h"

#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using SampleSectionsTest = TempHomeTest;

bool HasByteIn(const std::string& bytes, int low, int high) {
    return std::any_of(bytes.begin(), bytes.end(), [&](char c) {
        return static_cast<unsigned char>(c) >= low && static_cast<unsigned char>(c) <= high;
    });
}

// What the handheld tool writes, the PC lists and imports back to the same bytes (so it reads them
// undamaged and packs them as it would its own); they hold what owners keep: several packets, Cyrillic
// (80h-9Fh, Ё F0h), and umlauts (F2h-F5h) in the telephone book.
TEST_F(SampleSectionsTest, TheToolWritesSamplesThatThePcTakesAsItsOwn) {
    m_temp.InstallDeliveredProfile(); // its table makes the handheld's letters capitals on the PC
    const std::string dir = (m_temp.Home() / "samples").string(), back = (m_temp.Home() / "back").string();
    const std::string lines = (m_temp.Home() / "lines.txt").string(), pc = KL840T_CLI_PATH;
    ChildProcess tool({KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld", "--write-samples", dir, "--quiet"}, true);
    ASSERT_EQ(tool.WaitForExit(10000), 0) << tool.Output();
    for (const SectionName& name : SectionNames()) {
        SCOPED_TRACE(name.letter);
        const std::string bytes = ReadFileBytes(std::filesystem::path(dir) / name.fileName);
        EXPECT_EQ(bytes, SampleSection(name.letter));
        const std::string section = name.optionName;
        ASSERT_EQ(std::system((pc + " list " + section + " --dir '" + dir + "' > '" + lines + "'").c_str()), 0);
        ASSERT_EQ(std::system((pc + " import " + section + " '" + lines + "' --dir '" + back + "'").c_str()), 0);
        EXPECT_TRUE(ReadFileBytes(std::filesystem::path(back) / name.fileName) == bytes);
        EXPECT_GE(SplitPackets(bytes).value_or(std::vector<PacketSpan>{}).size(), 2u);
        EXPECT_EQ(ReadFileBytes(lines).find('?'), std::string::npos) << "a character outside the handheld's set";
        EXPECT_TRUE(HasByteIn(bytes, 0x80, 0x9F) || HasByteIn(bytes, 0xF0, 0xF0));
        EXPECT_TRUE(name.letter != 'T' || HasByteIn(bytes, 0xF2, 0xF5));
    }
    EXPECT_EQ(SampleSection('M'), "");
}

TEST(SectionPackingTest, PacksRecordsIntoNumberedPacketsOfAtMost2394RecordBytes) {
    std::vector<std::string> exact(21, std::string(112, 'y')); // 21 * (2 + 112) = 2394
    EXPECT_EQ(SplitPackets(PackSection('T', exact))->size(), 1u);
    exact.back() += 'z';
    const std::string two = PackSection('T', exact);
    const auto packets = SplitPackets(two);
    ASSERT_EQ(packets->size(), 2u);
    EXPECT_EQ(two.substr(0, 5), std::string("T\0\xED\x08N", 5)); // 5 + 20 * 114
    EXPECT_EQ(two.substr((*packets)[1].offset, 5), std::string("T\x01\x78\0L", 5));
    EXPECT_EQ(PackSection('R', {}), std::string("R\0\x05\0L", 5));
}

TEST(SectionPackingTest, WritesTheHandheldsCharacterSet) {
    EXPECT_EQ(ToHandheldText("АБЯЁÄÖÜß A1\n"), std::string("\x80\x81\x9F\xF0\xF2\xF3\xF4\xF5 A1\n"));
    EXPECT_EQ(ToHandheldText("é"), "?");
}

TEST(SectionPackingTest, SplitsOnlyWholeRunsOfPackets) {
    const std::pair<std::string, std::size_t> cases[] = {
        {std::string("T\0\0\0L", 5), 1},         {std::string("T\0\x06\0NxT\x01\x05\0L", 11), 2},
        {std::string("T\0\x03\0L", 5), 0},       // length 1 to 4
        {std::string("T\0\x09\0Lxx", 7), 0},     // cut short
        {std::string("T\0\x05\0N", 5), 0},       // no last packet
        {std::string("T\0\x05\0Lextra", 10), 0}, // bytes after the last packet
    };
    for (const auto& [file, count] : cases)
        EXPECT_EQ(SplitPackets(file).value_or(std::vector<PacketSpan>{}).size(), count) << testing::PrintToString(file);
}

TEST(FaultRuleTest, ReadsItsSpecificationAndPicksTheSameOccurrencesForTheSameSeed) {
    const std::tuple<const char*, bool, std::vector<int>, double> cases[] = {
        {"3", true, {3}, 0.0},   {"2,5,9", true, {2, 5, 9}, 0.0},
        {"25%", true, {}, 0.25}, {"all", true, {}, 1.0},
        {"0", false, {}, 0},     {"", false, {}, 0},
        {"2,,3", false, {}, 0},  {"101%", false, {}, 0},
    };
    for (const auto& [text, valid, at, chance] : cases) {
        SCOPED_TRACE(text);
        auto rule = ParseFaultRule(text);
        ASSERT_EQ(rule.has_value(), valid);
        if (rule) {
            EXPECT_EQ(rule->at, at);
            EXPECT_DOUBLE_EQ(rule->chance, chance);
        }
    }
    FaultRandom first(42), second(42);
    int hits = 0;
    for (int i = 1; i <= 50; ++i) {
        const bool hit = Hits(FaultRule{{}, 0.5}, i, first);
        EXPECT_EQ(hit, Hits(FaultRule{{}, 0.5}, i, second));
        hits += hit;
    }
    EXPECT_GT(hits, 10);
    EXPECT_LT(hits, 40);
}

} // namespace
