// Whole sections moved between the PC and the simulated handheld, in virtual
// time: packets into frames, the section a download names, stops and refusals.
#include "link/SectionTransfer.h"

#include "TransferTestSupport.h"
#include "handheld/SampleSections.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

using Kind = HandheldEventKind;

class SectionTransferTest : public TempHomeTest {
protected:
    std::filesystem::path File(int section) { return m_temp.Data() / ("840." + std::to_string(section - 1)); }

    static HandheldSimulation::Options Receiving() {
        HandheldSimulation::Options options;
        options.handheld.sendLetter.reset();
        return options;
    }
    static HandheldSimulation::Options Sending(char letter) {
        HandheldSimulation::Options options;
        options.handheld.sendLetter = letter;
        options.handheld.sendRepeatedly = false;
        return options;
    }

    bool Upload(HandheldSimulation& sim, RecordingPage& page) {
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        return SendSectionFile(link, page);
    }
    bool Download(HandheldSimulation& sim, RecordingPage& page) {
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        return ReceiveSectionFile(link, page);
    }

    static std::vector<int> Lengths(const HandheldSimulation& sim, Kind kind) {
        std::vector<int> lengths;
        for (const HandheldEvent& event : sim.Events())
            if (event.kind == kind)
                lengths.push_back(event.length);
        return lengths;
    }
    static std::vector<int> FramesAccepted(const HandheldSimulation& sim) { return Lengths(sim, Kind::FrameAccepted); }
    static std::vector<int> Announced(const HandheldSimulation& sim) { return Lengths(sim, Kind::AnnounceReceived); }
};

TEST_F(SectionTransferTest, UploadSendsEachPacketInFramesOfAtMost128Bytes) {
    struct Case {
        std::vector<int> packets;
        std::vector<int> frames;
        std::vector<int> announced;
    };
    const Case cases[] = {
        {{0}, {}, {0}},                                // the empty file: announced, confirmed, no frame
        {{128}, {128}, {128}},                         // exactly one frame
        {{129}, {128, 1}, {129}},                      // a second frame of one byte
        {{300}, {128, 128, 44}, {300}},                // the header travels in frame 1
        {{300, 0, 7}, {128, 128, 44, 7}, {300, 0, 7}}, // several packets, one of them empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.packets));
        std::string file = PacketsOfLengths('T', c.packets);
        WriteFileBytes(File(1), file);
        HandheldSimulation sim(Receiving());
        RecordingPage page(m_temp.Data(), 1);
        ASSERT_TRUE(Upload(sim, page));
        EXPECT_EQ(FramesAccepted(sim), c.frames);
        EXPECT_EQ(Announced(sim), c.announced);
        // An empty packet has no frame to carry its header.
        std::string carried;
        for (std::size_t at = 0, i = 0; i < c.packets.size(); ++i) {
            int length = c.packets[i];
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
    HandheldSimulation sim(Receiving());
    RecordingPage page(m_temp.Data(), 2);
    ASSERT_TRUE(Upload(sim, page));
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
        {"file ends inside a header", std::string("T\0", 2)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(File(1));
        if (std::string_view(name) == "a directory")
            std::filesystem::create_directory(File(1));
        else if (!bytes.empty())
            WriteFileBytes(File(1), bytes);
        HandheldSimulation sim(Receiving());
        RecordingPage page(m_temp.Data(), 1);
        EXPECT_FALSE(Upload(sim, page));
        EXPECT_EQ(page.messages, std::vector<std::string>{"<49>"});
        EXPECT_TRUE(sim.Wire().empty());
    }
}

TEST_F(SectionTransferTest, DownloadReplacesTheFileOfTheSectionThePacketsName) {
    const std::string sent = SampleSection('E');
    HandheldSimulation::Options options = Sending('E');
    HandheldSimulation sim(options);
    sim.Handheld().SetSection('E', sent);
    WriteFileBytes(File(1), "telephone, untouched");
    WriteFileBytes(File(3), "old dictionary");
    RecordingPage page(m_temp.Data(), 1);
    ASSERT_TRUE(Download(sim, page));
    EXPECT_EQ(page.CurrentSection(), 3);
    EXPECT_EQ(ReadFileBytes(File(3)), sent);
    EXPECT_EQ(ReadFileBytes(File(1)), "telephone, untouched");
    EXPECT_FALSE(std::filesystem::exists(m_temp.Data() / kDownloadTemporaryName));
    EXPECT_EQ(page.progress, 8192);
    EXPECT_EQ(page.statuses.back(), std::to_string(sent.size()) + " <70>");
}

TEST_F(SectionTransferTest, StopInAnyWaitLeavesNoTemporaryFileAndTheSectionUntouched) {
    // The wait, whether the PC uploads, and the handheld's message from which it falls silent.
    const std::tuple<const char*, bool, int> cases[] = {
        {"announce", false, 1}, // the handheld never announces
        {"frame", false, 3},    // announce, go ... then no frame
        {"echo", true, 1},      // the handheld never echoes
        {"ACK", true, 2},       // echo, then no reply to the first frame
    };
    for (const auto& [wait, upload, silentFrom] : cases) {
        SCOPED_TRACE(wait);
        WriteFileBytes(File(1), PacketsOfLengths('T', {300}));
        const std::string before = ReadFileBytes(File(1));
        HandheldSimulation::Options options = upload ? Receiving() : Sending('T');
        options.faults.silentFromMessage = silentFrom;
        HandheldSimulation sim(options);
        sim.Handheld().SetSection('T', PacketsOfLengths('T', {300}));
        RecordingPage page(m_temp.Data(), 1);
        SimulatedTransfer transfer(sim);
        transfer.host.StopAfter(5000);
        LinkProtocol link = transfer.Link();
        EXPECT_FALSE(upload ? SendSectionFile(link, page) : ReceiveSectionFile(link, page));
        EXPECT_FALSE(std::filesystem::exists(m_temp.Data() / kDownloadTemporaryName));
        EXPECT_EQ(ReadFileBytes(File(1)), before);
    }
}

TEST_F(SectionTransferTest, APacketLargerThanThePcCanTakeEndsTheDownload) {
    HandheldSimulation sim(Sending('T'));
    sim.Handheld().SetSection('T', PacketsOfLengths('T', {2401}));
    WriteFileBytes(File(1), "kept");
    RecordingPage page(m_temp.Data(), 1);
    EXPECT_FALSE(Download(sim, page));
    EXPECT_EQ(ReadFileBytes(File(1)), "kept");
    EXPECT_FALSE(std::filesystem::exists(m_temp.Data() / kDownloadTemporaryName));
}

} // namespace
