// Damaged frames, garbled replies and noise between the PC and the simulated handheld, in virtual time:
// every frame gets its answer, and no stray byte is taken for one.
#include "link/SectionTransfer.h"

#include "TransferTestSupport.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Kind = HandheldEventKind;
const std::string kSection = PacketsOfLengths('S', {300}); // frames of 128, 128 and 44 bytes

int Count(const HandheldSimulation& sim, Kind kind, int block) {
    int n = 0;
    for (const HandheldEvent& event : sim.Events())
        n += event.kind == kind && event.block == block;
    return n;
}

struct Case {
    const char* name;
    bool download;
    std::function<void(FaultPlan&)> stage;
    std::function<void(const HandheldSimulation&)> check;
    bool completes = true; // else the handheld falls silent and the PC is stopped
};

class LinkRepliesTest : public TempHomeTest {};

TEST_F(LinkRepliesTest, EveryFrameIsAnsweredAndOnlyItsReplyCounts) {
    const Case cases[] = {
        {"a frame with a damaged SOH but whole data is acknowledged", true,
         [](FaultPlan& f) { f.fromHandheld.corruptSoh = {{1}}; },
         [](const HandheldSimulation& sim) {
             EXPECT_EQ(Count(sim, Kind::FrameSent, 1), 1);
             EXPECT_EQ(Count(sim, Kind::AckReceived, 1), 1);
         }},
        {"a frame with a damaged complement but whole data is acknowledged", true,
         [](FaultPlan& f) { f.fromHandheld.corruptComplement = {{2}}; },
         [](const HandheldSimulation& sim) { EXPECT_EQ(Count(sim, Kind::FrameSent, 2), 1); }},
        {"a damaged SOH and damaged data get a NAK once the line is quiet", true,
         [](FaultPlan& f) {
             f.fromHandheld.corruptSoh = {{1}};
             f.fromHandheld.corruptFrame = {{1}};
         },
         [](const HandheldSimulation& sim) { EXPECT_EQ(Count(sim, Kind::NakReceived, 1), 1); }},
        {"the handheld's noise comes before its reply", false,
         [](FaultPlan& f) { f.fromHandheld.noise = {{2}}; }, // the echo is reply 1, the first ACK reply 2
         [](const HandheldSimulation& sim) {
             std::vector<std::uint8_t> toPc;
             for (const HandheldSimulation::WireByte& byte : sim.Wire())
                 if (byte.toPc)
                     toPc.push_back(byte.byte);
             ASSERT_GE(toPc.size(), 7u);
             EXPECT_NE(toPc[3], wire::kAck);
             EXPECT_EQ(toPc[6], wire::kAck);
         }},
        {"what comes while the PC sends a frame is not its reply", false,
         [](FaultPlan& f) {
             f.fromHandheld.noise = {{2}};
             f.fromHandheld.noiseBytes = 20; // still arriving while the frame goes out again
         },
         [](const HandheldSimulation& sim) {
             EXPECT_EQ(Count(sim, Kind::FrameAccepted, 1) + Count(sim, Kind::RepeatAcked, 1), 2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HandheldSimulation::Options options;
        options.handheld.sendRepeatedly = false;
        if (c.download)
            options.handheld.sendLetter = 'S';
        c.stage(options.faults);
        HandheldSimulation sim(options);
        sim.Handheld().SetSection('S', kSection);
        RecordingPage page(m_temp.Data(), 2);
        WriteFileBytes(page.SectionFile(2), kSection);
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        ASSERT_TRUE(c.download ? ReceiveSectionFile(link, page) : SendSectionFile(link, page));
        EXPECT_EQ(c.download ? ReadFileBytes(page.SectionFile(2)) : sim.Received('S'), kSection);
        // A handheld that must time out before it sends again waits for ever in the real world.
        EXPECT_EQ(Count(sim, Kind::NoReply, 1) + Count(sim, Kind::NoReply, 2), 0);
        c.check(sim);
    }
}

TEST_F(LinkRepliesTest, ADamagedFirstFrameNamesTheSectionBeforeItsChecksumIsTested) {
    HandheldSimulation::Options options;
    options.handheld.sendLetter = 'S';
    options.faults.fromHandheld.corruptFrame = {{1}};
    options.faults.silentFromMessage = 4; // announce, go, the damaged frame; nothing after
    HandheldSimulation sim(options);
    sim.Handheld().SetSection('S', kSection);
    RecordingPage page(m_temp.Data(), 1);
    SimulatedTransfer transfer(sim);
    transfer.host.StopAfter(3000);
    LinkProtocol link = transfer.Link();
    EXPECT_FALSE(ReceiveSectionFile(link, page));
    EXPECT_EQ(page.CurrentSection(), 2);
    EXPECT_FALSE(std::filesystem::exists(page.SectionFile(2)));
}

} // namespace
