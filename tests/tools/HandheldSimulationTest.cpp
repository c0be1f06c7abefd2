// The stand-alone handheld's command line, and the in-process handheld on its
// simulated line: the pace of the line and each fault it stages, seen by the
// PC's transfer code.
#include "handheld/HandheldSimulation.h"

#include "handheld/HandheldToolOptions.h"
#include "link/SectionTransfer.h"
#include "link/TransferTestSupport.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

TEST(HandheldToolTest, RefusesWhatItCannotDoAndSaysWhy) {
    const std::vector<std::string> refused[] = {
        {"--send", "telephone"},
        {"--port", "x", "--send", "memo"},
        {"--port", "x", "--corrupt-frame", "0"},
        {"--port", "x", "--noise", "150%"},
        {"--port", "x", "--transfers"},
        {"--port", "x", "--bogus"},
    };
    for (const auto& arguments : refused) {
        std::string error;
        EXPECT_FALSE(ParseHandheldToolOptions(arguments, error)) << testing::PrintToString(arguments);
        EXPECT_NE(error, "");
    }
}

const std::string kThreePackets = PacketsOfLengths('T', {2000, 1000, 129});

class HandheldSimulationTest : public TempHomeTest {
protected:
    // The handheld offering the section (for a download) or taking it, with the
    // faults that the stand-alone handheld's options stage.
    static HandheldSimulation::Options Options(bool download, std::vector<std::string> faults) {
        faults.insert(faults.begin(), {"--port", "x", "--seed", "7"});
        std::string error;
        const auto tool = ParseHandheldToolOptions(faults, error);
        EXPECT_TRUE(tool) << error;
        HandheldSimulation::Options options;
        if (download)
            options.handheld.sendLetter = 'T';
        options.handheld.sendRepeatedly = false;
        options.faults = tool ? tool->faults : FaultPlan{};
        return options;
    }

    // Moves the section through the PC's transfer code to the handheld or from
    // it; true when it arrived whole.
    bool Transfer(HandheldSimulation& sim, bool download) {
        RecordingPage page(m_temp.Data(), 1);
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        if (download)
            return ReceiveSectionFile(link, page) && ReadFileBytes(page.SectionFile(1)) == kThreePackets;
        WriteFileBytes(page.SectionFile(1), kThreePackets);
        return SendSectionFile(link, page) && sim.Received('T') == kThreePackets;
    }
};

int FaultsStaged(const FaultCounters& f) {
    int sum = f.lateEchoes;
    for (const FaultCounts& d : {f.fromHandheld, f.fromPc})
        sum += d.corruptedFrames + d.droppedBytes + d.garbledAcks + d.lostAcks + d.noiseBursts;
    return sum;
}

TEST_F(HandheldSimulationTest, TheHandheldsBytesTakeTheirTimeOnTheLineOneAtATimeUnlessInBursts) {
    for (bool burst : {false, true}) {
        SCOPED_TRACE(burst);
        HandheldSimulation sim(Options(true, burst ? std::vector<std::string>{"--burst"} : std::vector<std::string>{}));
        sim.Handheld().SetSection('T', kThreePackets);
        ComPort port(sim.Opener(), sim.Clock());
        ASSERT_TRUE(port.Open(1));
        while (port.BytesWaiting() == 0)
            port.Clock().SleepMs(1);
        EXPECT_EQ(port.BytesWaiting(), burst ? 3 : 1) << "the announce";
    }
    HandheldSimulation sim(Options(true, {}));
    sim.Handheld().SetSection('T', kThreePackets);
    const std::uint32_t start = sim.NowMs();
    EXPECT_TRUE(Transfer(sim, true));
    EXPECT_GE(sim.NowMs() - start, kThreePackets.size() * 4167 / 1000);
}

// Each fault must really happen and be recovered from: the section arrives
// whole.
TEST_F(HandheldSimulationTest, EachFaultHappensAndIsRecovered) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"--corrupt-frame", "1,2,5"}, true},
        {{"--pc-corrupt-frame", "1,3,20"}, false},
        {{"--garble-ack", "2,19"}, false},
        {{"--lose-ack", "5,27"}, false},
        {{"--pc-garble-ack", "1,19"}, true},
        {{"--pc-lose-ack", "4,29"}, true},
        {{"--pc-drop-byte", "2,24"}, false},
        {{"--drop-byte", "3"}, true},
        {{"--pc-noise", "30%"}, true},
        {{"--noise", "1"}, false},
        {{"--late-echo", "1,3"}, false},
        {{"--noise", "1,2,6", "--pc-noise", "1,3"}, true},
        {{"--garble-ack", "2", "--pc-lose-ack", "3"}, false},
    };
    for (const auto& [faults, download] : cases) {
        SCOPED_TRACE(testing::PrintToString(faults));
        HandheldSimulation sim(Options(download, faults));
        sim.Handheld().SetSection('T', kThreePackets);
        EXPECT_TRUE(Transfer(sim, download));
        EXPECT_GT(FaultsStaged(sim.Faults()), 0);
    }
}

} // namespace
