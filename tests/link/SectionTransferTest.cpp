// Whole sections moved between the PC and the simulated handheld, in virtual
// time: packets into frames, the section a download names, stops, refusals,
// and the answer every damaged frame or stray byte gets.
#include "link/SectionTransfer.h"

#include "TransferTestSupport.h"
#include "handheld/HandheldToolOptions.h"
#include "support/TempHome.h"

#include <algorithm>

namespace {

using Kind = HandheldEventKind;

class SectionTransferTest : public TempHomeTest {
protected:
    std::filesystem::path File(int section) { return m_temp.Data() / ("840." + std::to_string(section - 1)); }

    // Runs the transfer; `stopAfter` presses STOP after that many looks.
    static bool Transfer(HandheldSimulation& sim, RecordingPage& page, bool upload, int stopAfter = -1) {
        SimulatedTransfer transfer(sim);
        if (stopAfter >= 0)
            transfer.host.StopAfter(stopAfter);
        LinkProtocol link = transfer.Link();
        return upload ? SendSectionFile(link, page) : ReceiveSectionFile(link, page);
    }

    // One field of the handheld's events of a kind, in their order.
    static std::vector<int> Of(const HandheldSimulation& sim, Kind kind, int HandheldEvent::*field) {
        std::vector<int> values;
        for (const HandheldEvent& event : sim.Events())
            if (event.kind == kind)
                values.push_back(event.*field);
        return values;
    }
};

TEST_F(SectionTransferTest, UploadSendsEachPacketInFramesOfAtMost128Bytes) {
    // The packets' lengths, and the frames they go in.
    const std::pair<std::vector<int>, std::vector<int>> cases[] = {
        {{0}, {}},                        // the empty file: announced, confirmed, no frame
        {{128}, {128}},                   // exactly one frame
        {{129}, {128, 1}},                // a second frame of one byte
        {{300}, {128, 128, 44}},          // the header travels in frame 1
        {{300, 0, 7}, {128, 128, 44, 7}}, // several packets, one of them empty
    };
    for (const auto& [packets, frames] : cases) {
        SCOPED_TRACE(testing::PrintToString(packets));
        std::string file = PacketsOfLengths('T', packets);
        WriteFileBytes(File(1), file);
        HandheldSimulation sim(OnceSending(std::nullopt));
        RecordingPage page(m_temp.Data(), 1);
        ASSERT_TRUE(Transfer(sim, page, true));
        EXPECT_EQ(Of(sim, Kind::FrameAccepted, &HandheldEvent::length), frames);
        EXPECT_EQ(Of(sim, Kind::AnnounceReceived, &HandheldEvent::length), packets);
        // An empty packet has no frame to carry its header.
        std::string carried;
        for (std::size_t at = 0, i = 0; i < packets.size(); ++i) {
            int length = packets[i];
            if (length > 0)
                carried += file.substr(at, static_cast<std::size_t>(length));
            at += static_cast<std::size_t>(length > 0 ? length : 5);
        }
        EXPECT_EQ(sim.Received('T'), carried);
    }
}

TEST_F(SectionTransferTest, UploadStatusAndProgressCountAcrossPackets) {
    std::string file = PacketsOfLengths('S', {200, 100});
    WriteFileBytes(File(2), file);
    HandheldSimulation sim(OnceSending(std::nullopt));
    RecordingPage page(m_temp.Data(), 2);
    ASSERT_TRUE(Transfer(sim, page, true));
    EXPECT_EQ(page.statuses,
              (std::vector<std::string>{"<82>", "<83>", "128 <69>", "200 <69>", "<82>", "<83>", "300 <69>"}));
    EXPECT_EQ(page.range, std::make_pair(0, 30));
    EXPECT_EQ(page.progress, 30);
}

TEST_F(SectionTransferTest, UploadRefusesADamagedFileBeforeSendingAnything) {
    const std::pair<const char*, std::string> cases[] = {
        {"missing", ""},
        {"a directory", ""},
        {"length field below the header", std::string("T\0\3\0L", 5)},
        {"packet cut short", PacketsOfLengths('T', {300}).substr(0, 200)},
        {"no last packet", PacketsOfLengths('T', {20, 20}).substr(0, 20)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(File(1));
        if (std::string_view(name) == "a directory")
            std::filesystem::create_directory(File(1));
        else if (!bytes.empty())
            WriteFileBytes(File(1), bytes);
        HandheldSimulation sim(OnceSending(std::nullopt));
        RecordingPage page(m_temp.Data(), 1);
        EXPECT_FALSE(Transfer(sim, page, true));
        EXPECT_EQ(page.messages, std::vector<std::string>{"<49>"});
        EXPECT_TRUE(sim.Wire().empty());
    }
}

// A download replaces only the file of the section its packets name; a
// transfer that fails, stopped or refused, leaves every file as it was.
TEST_F(SectionTransferTest, OnlyAWholeDownloadReplacesAFileAndOnlyThatOfTheSectionItNames) {
    // The wait STOP ends, whether the PC uploads, the handheld's message from
    // which it falls silent, and the packets it sends.
    const std::tuple<const char*, bool, std::optional<int>, std::vector<int>> cases[] = {
        {"none: a whole download", false, std::nullopt, {2400, 700}},
        {"announce", false, 1, {300}},  // the handheld never announces
        {"echo loop", false, 2, {300}}, // announce ... then no GO
        {"frame", false, 3, {300}},     // announce, go ... then no frame
        {"echo", true, 1, {300}},       // the handheld never echoes
        {"ACK", true, 2, {300}},        // echo, then no reply to the first frame
        {"none: a packet larger than the PC can take", false, std::nullopt, {2401}},
    };
    const std::string telephone = PacketsOfLengths('T', {300}), dictionary = "old dictionary";
    for (const auto& [wait, upload, silentFrom, packets] : cases) {
        SCOPED_TRACE(wait);
        WriteFileBytes(File(1), telephone);
        WriteFileBytes(File(3), dictionary);
        HandheldSimulation::Options options = OnceSending(upload ? std::nullopt : std::optional('E'));
        options.faults.silentFromMessage = silentFrom;
        HandheldSimulation sim(options);
        const std::string sent = PacketsOfLengths('E', packets);
        sim.Handheld().SetSection('E', sent);
        RecordingPage page(m_temp.Data(), 1);
        const bool completes = !upload && !silentFrom && packets.size() == 2;
        EXPECT_EQ(Transfer(sim, page, upload, silentFrom ? 5000 : -1), completes);
        EXPECT_EQ(page.CurrentSection(), completes ? 3 : 1);
        EXPECT_EQ(ReadFileBytes(File(3)), completes ? sent : dictionary);
        EXPECT_EQ(ReadFileBytes(File(1)), telephone);
        EXPECT_FALSE(std::filesystem::exists(m_temp.Data() / kDownloadTemporaryName));
        EXPECT_EQ(page.progress == 8192, completes) << "the bar is full when a download is";
    }
}

// Every frame gets its answer, and no stray byte is taken for one.
TEST_F(SectionTransferTest, EveryFrameIsAnsweredAndOnlyItsReplyCounts) {
    struct Case {
        std::vector<std::string> faults; // as the handheld tool takes them
        bool download;
        Kind kind; // what the handheld does or hears once for frame `block`
        int block;
        bool completes = true; // else the handheld falls silent and the PC is stopped
    };
    const Case cases[] = {
        {{"--corrupt-soh", "1"}, true, Kind::FrameSent, 1},                           // data whole: ACK
        {{"--corrupt-complement", "2"}, true, Kind::FrameSent, 2},                    // data whole: ACK
        {{"--corrupt-soh", "1", "--corrupt-frame", "1"}, true, Kind::NakReceived, 1}, // NAK once quiet
        // Noise before the first ACK (reply 2, after the echo) that still arrives while the frame goes again.
        {{"--noise", "2", "--noise-bytes", "20"}, false, Kind::RepeatAcked, 1},
        // The damaged first frame names the section although the handheld falls silent after it.
        {{"--corrupt-frame", "1", "--silent-after", "4"}, true, Kind::NakReceived, 1, false},
    };
    const std::string section = PacketsOfLengths('S', {300}); // frames of 128, 128 and 44 bytes
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.faults));
        std::vector<std::string> arguments{"--port", "-"};
        arguments.insert(arguments.end(), c.faults.begin(), c.faults.end());
        std::string error;
        HandheldSimulation::Options options = OnceSending(c.download ? std::optional('S') : std::nullopt);
        options.faults = ParseHandheldToolOptions(arguments, error).value().faults;
        HandheldSimulation sim(options);
        sim.Handheld().SetSection('S', section);
        RecordingPage page(m_temp.Data(), c.download ? 1 : 2);
        WriteFileBytes(File(c.download ? 1 : 2), section);
        EXPECT_EQ(Transfer(sim, page, !c.download, c.completes ? -1 : 3000), c.completes);
        EXPECT_EQ(page.CurrentSection(), 2);
        EXPECT_EQ(std::ranges::count(Of(sim, c.kind, &HandheldEvent::block), c.block), 1);
        if (c.completes) {
            EXPECT_EQ(c.download ? ReadFileBytes(File(2)) : sim.Received('S'), section);
            // A handheld that has to time out before it sends again waits for ever in the real world.
            EXPECT_EQ(Of(sim, Kind::NoReply, &HandheldEvent::block), std::vector<int>{});
        }
    }
}

} // namespace
