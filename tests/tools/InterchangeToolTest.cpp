// The sample sections that kl840t-handheld writes, taken by kl840t as its own,
// and kl840t export and import with other programs' files, checked by an
// independent reader.
#include "handheld/SampleSections.h"
#include "handheld/SectionPackets.h"
#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <algorithm>

namespace {

class InterchangeToolTest : public TempHomeTest {
protected:
    void SetUp() override {
        m_temp.InstallDeliveredProfile();
        OutputOf({KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld", "--write-samples", Path("s"), "--quiet"});
    }

    std::string Path(const std::string& name) const { return (m_temp.Home() / name).string(); }
};

bool HasByteIn(const std::string& bytes, int low, int high) {
    return std::any_of(bytes.begin(), bytes.end(), [&](char c) {
        return static_cast<unsigned char>(c) >= low && static_cast<unsigned char>(c) <= high;
    });
}

// The samples hold what owners keep: several packets, Cyrillic (80h-9Fh, Ё F0h),
// and umlauts (F2h-F5h) in the telephone book. Listed or exported, then brought
// back, they give the same bytes, so the PC reads them undamaged and packs them
// as the handheld does; appended to what came back, every record is left out as
// already there.
TEST_F(InterchangeToolTest, SamplesGoOutAsOtherProgramsReadThemAndComeBackTheSame) {
    for (const SectionName& name : SectionNames()) {
        const std::string section = name.optionName, bytes = ReadFileBytes(Path("s/") + name.fileName);
        SCOPED_TRACE(section);
        EXPECT_EQ(bytes, SampleSection(name.letter));
        EXPECT_GE(SplitPackets(bytes).value_or(std::vector<PacketSpan>{}).size(), 2u);
        EXPECT_TRUE(HasByteIn(bytes, 0x80, 0x9F) || HasByteIn(bytes, 0xF0, 0xF0));
        EXPECT_TRUE(name.letter != 'T' || HasByteIn(bytes, 0xF2, 0xF5));
        const std::string listed = OutputOf({KL840T_CLI_PATH, "list", section, "--dir", Path("s")});
        EXPECT_EQ(listed.find('?'), std::string::npos) << "a character outside the handheld's set";
        std::vector<std::string> extensions = {"txt", "csv"}; // txt: the list's lines
        if (name.letter == 'T' || name.letter == 'S')
            extensions.push_back(name.letter == 'T' ? "vcf" : "ics");
        for (const std::string& extension : extensions) {
            SCOPED_TRACE(extension);
            const std::string file = Path(section + "." + extension), back = Path("back-" + extension);
            OutputOf({KL840T_CLI_PATH, "export", section, "--dir", Path("s"), "-o", file});
            if ((extension == "vcf" || extension == "ics") && ChildProcess::OnPath("/usr/bin/python3")) {
                EXPECT_EQ(OutputOf({KL840T_SOURCE_DIR "/tests/tools/interchange-reader.py", extension, file}), listed);
            }
            std::vector<std::string> import = {KL840T_CLI_PATH, "import", section, file, "--dir", back};
            for (int round = 0; round < 2; ++round, import.push_back("--append")) {
                OutputOf(import);
                EXPECT_TRUE(ReadFileBytes(back + "/" + name.fileName) == bytes);
            }
        }
    }
}

TEST_F(InterchangeToolTest, ImportsThatCannotBeTakenChangeNothing) {
    const std::string before = ReadFileBytes(m_temp.Home() / "s" / "840.0");
    WriteFileBytes(Path("bad.vcf"), "BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:b\r\n");
    WriteFileBytes(Path("list.txt"), "-\tAB\\tÉ☺\tB\t\n");
    const std::string tool = KL840T_CLI_PATH;
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{tool, "import", "telephone", Path("bad.vcf")}, 1, "bad.vcf:4: the card that begins here has no END:VCARD"},
        {{tool, "import", "telephone", Path("list.txt")}, 1, "list.txt:1:8: field 1: character U+263A"},
        {{tool, "import", "telephone", Path("bad.vcf"), "--format", "ical"}, 2, "iCalendar carries the schedule"},
        {{tool, "import", "telephone", Path("bad.vcf"), "--format", "xml"}, 2, "unknown format 'xml'"},
        {{tool, "export", "er-dict", "-o", Path("x.vcf")}, 2, "vCard carries the telephone"},
    };
    for (const auto& [args, status, message] : cases) {
        SCOPED_TRACE(args[3]);
        std::vector<std::string> withDir = args;
        withDir.insert(withDir.end(), {"--dir", Path("s")});
        const std::string output = OutputOf(withDir, status);
        EXPECT_NE(output.find(message), std::string::npos) << output;
        EXPECT_TRUE(ReadFileBytes(m_temp.Home() / "s" / "840.0") == before);
    }
}

} // namespace
