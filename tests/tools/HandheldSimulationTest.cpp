// The in-process handheld on its simulated line: the pace of the line and each fault it stages,
// seen by the PC's transfer code.
#include "handheld/HandheldSimulation.h"

#include "link/SectionTransfer.h"
#include "link/TransferTestSupport.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kThreePackets = PacketsOfLengths('T', {2000, 1000, 129});

class HandheldSimulationTest : public TempHomeTest {
protected:
    // Moves the section through the PC's transfer code to the handheld or from it; true when it arrived whole.
    bool Transfer(HandheldSimulation& sim, bool download) {
        RecordingPage page(m_temp.Data(), 1);
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        if (download)
            return ReceiveSectionFile(link, page) && ReadFileBytes(page.SectionFile(1)) == kThreePackets;
        WriteFileBytes(page.SectionFile(1), kThreePackets);
        return SendSectionFile(link, page) && sim.Received('T') == kThreePackets;
    }
    static HandheldSimulation::Options Options(bool download, const FaultPlan& faults = {}) {
        HandheldSimulation::Options options;
        if (download)
            options.handheld.sendLetter = 'T';
        options.handheld.sendRepeatedly = false;
        options.faults = faults;
        return options;
    }
};

TEST_F(HandheldSimulationTest, TheHandheldsBytesTakeTheirTimeOnTheLineOneAtATimeUnlessInBursts) {
    for (bool burst : {false, true}) {
        SCOPED_TRACE(burst);
        FaultPlan faults;
        faults.burst = burst;
        HandheldSimulation sim(Options(true, faults));
        sim.Handheld().SetSection('T', kThreePackets);
        ComPort port(sim.Opener(), sim.Clock());
        ASSERT_TRUE(port.Open(1));
        while (port.BytesWaiting() == 0)
            port.Clock().SleepMs(1);
        EXPECT_EQ(port.BytesWaiting(), burst ? 3 : 1) << "the announce";
    }
    HandheldSimulation sim(Options(true));
    sim.Handheld().SetSection('T', kThreePackets);
    const std::uint32_t start = sim.NowMs();
    EXPECT_TRUE(Transfer(sim, true));
    EXPECT_GE(sim.NowMs() - start, kThreePackets.size() * 4167 / 1000);
}

// Each fault must really happen (its counter) and be recovered from (the section arrives whole).
TEST_F(HandheldSimulationTest, EachFaultHappensAndIsRecovered) {
    struct Case {
        const char* name;
        bool download;
        std::function<void(FaultPlan&)> stage;
        std::function<int(const FaultCounters&)> count;
    };
    const Case cases[] = {
        {"checksum errors in the handheld's frames", true,
         [](FaultPlan& f) {
             f.fromHandheld.corruptFrame = {{1, 2, 5}};
         },
         [](const FaultCounters& c) { return c.fromHandheld.corruptedFrames; }},
        {"checksum errors in the PC's frames", false,
         [](FaultPlan& f) {
             f.fromPc.corruptFrame = {{1, 3, 20}};
         },
         [](const FaultCounters& c) { return c.fromPc.corruptedFrames; }},
        {"the handheld's ACKs garbled", false,
         [](FaultPlan& f) {
             f.fromHandheld.garbleAck = {{2, 19}};
         },
         [](const FaultCounters& c) { return c.fromHandheld.garbledAcks; }},
        {"the handheld's ACKs lost", false,
         [](FaultPlan& f) {
             f.fromHandheld.loseAck = {{5, 27}};
         },
         [](const FaultCounters& c) { return c.fromHandheld.lostAcks; }},
        {"the PC's ACKs garbled", true,
         [](FaultPlan& f) {
             f.fromPc.garbleAck = {{1, 19}};
         },
         [](const FaultCounters& c) { return c.fromPc.garbledAcks; }},
        {"the PC's ACKs lost", true,
         [](FaultPlan& f) {
             f.fromPc.loseAck = {{4, 29}};
         },
         [](const FaultCounters& c) { return c.fromPc.lostAcks; }},
        {"a byte of the PC's frame lost", false,
         [](FaultPlan& f) {
             f.fromPc.dropByte = {{2, 24}};
         },
         [](const FaultCounters& c) { return c.fromPc.droppedBytes; }},
        {"a byte of the handheld's frame lost", true, [](FaultPlan& f) { f.fromHandheld.dropByte = {{3}}; },
         [](const FaultCounters& c) { return c.fromHandheld.droppedBytes; }},
        {"noise before the PC's replies", true,
         [](FaultPlan& f) {
             f.fromPc.noise = {{}, 0.3};
         },
         [](const FaultCounters& c) { return c.fromPc.noiseBursts; }},
        {"noise before the handheld's echo", false, [](FaultPlan& f) { f.fromHandheld.noise = {{1}}; },
         [](const FaultCounters& c) { return c.fromHandheld.noiseBytes; }},
        {"a late echo", false,
         [](FaultPlan& f) {
             f.lateEcho = {{1, 3}};
         },
         [](const FaultCounters& c) { return c.lateEchoes; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        FaultPlan faults;
        faults.seed = 7;
        test.stage(faults);
        HandheldSimulation sim(Options(test.download, faults));
        sim.Handheld().SetSection('T', kThreePackets);
        EXPECT_TRUE(Transfer(sim, test.download));
        EXPECT_GT(test.count(sim.Faults()), 0);
    }
}

} // namespace
