// The shipped sample sections, which the PC takes as its own: the handheld's packing agrees with the PC's.
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

} // namespace
