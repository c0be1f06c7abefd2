// Sections over a real pseudo-terminal between the kl840t tool (the PC side)
// and the stand-alone simulated handheld, at the line's pace.
#include "TransferTestSupport.h"
#include "support/ChildProcess.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

namespace {

// The sections as the tools call them, and their letters, in the order of
// their files.
const std::pair<const char*, char> kSections[] = {
    {"telephone", 'T'}, {"schedule", 'S'}, {"er-dict", 'E'}, {"re-dict", 'R'}};

class EndToEndTest : public TempHomeTest {
protected:
    void SetUp() override {
        if (!SocatPair::Available())
            GTEST_SKIP() << "socat is not installed";
        m_temp.InstallDeliveredProfile();
        for (const char* dir : {"pc", "handheld", "back"})
            std::filesystem::create_directories(m_temp.Data() / dir);
    }

    // Runs the tool to its end and gives its exit status.
    int Tool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), KL840T_BINARY_DIR "/tools/kl840t");
        ChildProcess tool(arguments, true);
        int status = tool.WaitForExit(120000);
        m_toolOutput = tool.Output();
        return status;
    }

    std::string m_toolOutput;
};

// Every section goes up to a handheld and comes back, over a line with faults
// in both directions: the file that comes back is the one that went out.
TEST_F(EndToEndTest, EverySectionSurvivesAFaultyLineInBothDirections) {
    const std::vector<std::string> faults = {
        "--corrupt-frame", "2", "--pc-corrupt-frame", "1", "--garble-ack", "1", "--pc-garble-ack", "2",
        "--noise",         "3", "--pc-noise",         "1", "--seed",       "7"};
    SocatPair cable;
    ASSERT_TRUE(cable.Ready()) << cable.Log();
    for (std::size_t i = 0; i < std::size(kSections); ++i) {
        const auto& [section, letter] = kSections[i];
        SCOPED_TRACE(section);
        // Two packets, small enough to cross the line in a few seconds, and
        // with every byte value that a terminal or the protocol could take for
        // something else.
        const std::string file = PacketsOfLengths(letter, {250, 200});
        const std::string name = "840." + std::to_string(i);
        WriteFileBytes(m_temp.Data() / "pc" / name, file);

        const std::string handheldTool = KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld";
        std::vector<std::string> handheldArguments{
            handheldTool, "--port", cable.First(), "--dir", (m_temp.Data() / "handheld").string(),
            "--send",     section,  "--rest-ms",   "500",   "--quiet"};
        handheldArguments.insert(handheldArguments.end(), faults.begin(), faults.end());
        ChildProcess handheld(handheldArguments, true);

        ASSERT_EQ(Tool({"upload", section, "--port", cable.Second(), "--dir", (m_temp.Data() / "pc").string()}), 0)
            << m_toolOutput << handheld.Output();
        ASSERT_EQ(Tool({"download", "--port", cable.Second(), "--dir", (m_temp.Data() / "back").string()}), 0)
            << m_toolOutput << handheld.Output();
        EXPECT_TRUE(ReadFileBytes(m_temp.Data() / "back" / name) == file) << "the section came back changed";
    }
}

} // namespace
