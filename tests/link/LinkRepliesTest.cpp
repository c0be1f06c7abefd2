// Damaged frames and stray bytes between the PC and the simulated handheld, in virtual time: every frame
// gets its answer, and no stray byte is taken for one.
#include "link/SectionTransfer.h"

#include "TransferTestSupport.h"
#include "handheld/HandheldToolOptions.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Kind = HandheldEventKind;
using LinkRepliesTest = TempHomeTest;

int Count(const HandheldSimulation& sim, Kind kind, int block) {
    return static_cast<int>(std::count_if(sim.Events().begin(), sim.Events().end(),
                                          [&](const HandheldEvent& e) { return e.kind == kind && e.block == block; }));
}

TEST_F(LinkRepliesTest, EveryFrameIsAnsweredAndOnlyItsReplyCounts) {
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
        HandheldSimulation::Options options;
        options.faults = ParseHandheldToolOptions(arguments, error).value().faults;
        options.handheld.sendRepeatedly = false;
        if (c.download)
            options.handheld.sendLetter = 'S';
        HandheldSimulation sim(options);
        sim.Handheld().SetSection('S', section);
        RecordingPage page(m_temp.Data(), c.download ? 1 : 2);
        WriteFileBytes(page.SectionFile(c.download ? 1 : 2), section);
        SimulatedTransfer transfer(sim);
        if (!c.completes)
            transfer.host.StopAfter(3000);
        LinkProtocol link = transfer.Link();
        EXPECT_EQ(c.download ? ReceiveSectionFile(link, page) : SendSectionFile(link, page), c.completes);
        EXPECT_EQ(page.CurrentSection(), 2);
        EXPECT_EQ(Count(sim, c.kind, c.block), 1);
        if (c.completes) {
            EXPECT_EQ(c.download ? ReadFileBytes(page.SectionFile(2)) : sim.Received('S'), section);
            // A handheld that has to time out before it sends again waits for ever in the real world.
            EXPECT_EQ(Count(sim, Kind::NoReply, 1) + Count(sim, Kind::NoReply, 2), 0);
        }
    }
}

} // namespace
