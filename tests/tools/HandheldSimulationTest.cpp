// The in-process handheld on its simulated line, driven through the real port layer by a plain PC.
#include "handheld/HandheldSimulation.h"

#include "LiteralPc.h"
#include "link/ComPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A section file of packets with these lengths (header included), the last marked L.
std::string Section(char letter, const std::vector<std::size_t>& lengths) {
    std::string file;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const std::size_t length = lengths[i];
        std::string packet = {letter, static_cast<char>(i), static_cast<char>(length & 0xFF),
                              static_cast<char>(length >> 8), i + 1 == lengths.size() ? 'L' : 'N'};
        while (packet.size() < length)
            packet += static_cast<char>((packet.size() * 31 + i * 7) & 0xFF);
        file += packet;
    }
    return file;
}

const std::string kThreePackets = Section('T', {2401, 1000, 129});

// Section bytes are long and binary: on a mismatch tell only where they part.
testing::AssertionResult SameBytes(const std::optional<std::string>& actual, const std::string& expected) {
    if (!actual)
        return testing::AssertionFailure() << "nothing arrived";
    if (*actual == expected)
        return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual->size() && at < expected.size() && (*actual)[at] == expected[at])
        ++at;
    return testing::AssertionFailure() << actual->size() << " bytes instead of " << expected.size()
                                       << ", first difference at " << at;
}

HandheldSimulation::Options Downloading(const FaultPlan& faults = {}) {
    HandheldSimulation::Options options;
    options.handheld.sendLetter = 'T';
    options.handheld.sendRepeatedly = false;
    options.faults = faults;
    return options;
}

HandheldSimulation::Options Uploading(const FaultPlan& faults = {}) {
    HandheldSimulation::Options options;
    options.faults = faults;
    return options;
}

std::optional<std::string> Download(HandheldSimulation& simulation) {
    ComPort port(simulation.Opener(), simulation.Clock());
    EXPECT_TRUE(port.Open(1));
    return LiteralPc(port, 600000).Download();
}

bool Upload(HandheldSimulation& simulation, const std::string& file) {
    ComPort port(simulation.Opener(), simulation.Clock());
    EXPECT_TRUE(port.Open(1));
    bool done = LiteralPc(port, 600000).Upload(file);
    port.Clock().SleepMs(100); // the last ACK's way back
    return done;
}

TEST(HandheldSimulationTest, ASectionTravelsBothWaysAtLineRate) {
    HandheldSimulation sender(Downloading());
    sender.Handheld().SetSection('T', kThreePackets);
    const std::uint32_t start = sender.NowMs();
    EXPECT_TRUE(SameBytes(Download(sender), kThreePackets));
    // Every byte of the handheld took its 4.17 ms on the line.
    EXPECT_GE(sender.NowMs() - start, kThreePackets.size() * 4167 / 1000);
    EXPECT_EQ(sender.CompletedTransfers(), 1);

    HandheldSimulation receiver(Uploading());
    EXPECT_TRUE(Upload(receiver, kThreePackets));
    EXPECT_TRUE(SameBytes(receiver.Received('T'), kThreePackets));
    ASSERT_NE(receiver.Handheld().Section('T'), nullptr);
    EXPECT_FALSE(receiver.DeviceOpen());
}

TEST(HandheldSimulationTest, BytesArriveOneAtATimeUnlessDeliveredInBursts) {
    for (bool burst : {false, true}) {
        SCOPED_TRACE(burst);
        FaultPlan faults;
        faults.burst = burst;
        HandheldSimulation simulation(Downloading(faults));
        simulation.Handheld().SetSection('T', kThreePackets);
        ComPort port(simulation.Opener(), simulation.Clock());
        ASSERT_TRUE(port.Open(1));
        while (port.BytesWaiting() == 0)
            port.Clock().SleepMs(1);
        EXPECT_EQ(port.BytesWaiting(), burst ? 3 : 1) << "the announce";
    }
}

TEST(HandheldSimulationTest, FaultsOnEitherSideAreRecoveredAndCounted) {
    struct Case {
        const char* name;
        bool download;
        FaultPlan faults;
        std::function<int(const FaultCounters&)> count;
    };
    auto plan = [](auto change) {
        FaultPlan faults;
        faults.seed = 7;
        change(faults);
        return faults;
    };
    const std::vector<Case> cases = {
        {"checksum errors in the handheld's frames", true,
         plan([](FaultPlan& f) { f.fromHandheld.corruptFrame = {{1, 2, 5, 6}}; }),
         [](const FaultCounters& c) { return c.fromHandheld.corruptedFrames; }},
        {"checksum errors in the PC's frames", false,
         plan([](FaultPlan& f) { f.fromPc.corruptFrame = {{1, 3, 20}}; }),
         [](const FaultCounters& c) { return c.fromPc.corruptedFrames; }},
        {"the handheld's ACKs garbled or lost", false,
         plan([](FaultPlan& f) {
             f.fromHandheld.garbleAck = {{2, 19}};
             f.fromHandheld.loseAck = {{5, 27}};
         }),
         [](const FaultCounters& c) { return c.fromHandheld.garbledAcks + c.fromHandheld.lostAcks; }},
        {"the PC's ACKs garbled or lost", true,
         plan([](FaultPlan& f) {
             f.fromPc.garbleAck = {{1, 19}};
             f.fromPc.loseAck = {{4, 29}};
         }),
         [](const FaultCounters& c) { return c.fromPc.garbledAcks + c.fromPc.lostAcks; }},
        {"a byte of the PC's frame lost", false, plan([](FaultPlan& f) { f.fromPc.dropByte = {{2, 24}}; }),
         [](const FaultCounters& c) { return c.fromPc.droppedBytes; }},
        {"noise before the PC's replies", true, plan([](FaultPlan& f) { f.fromPc.noise = {{}, 0.3}; }),
         [](const FaultCounters& c) { return c.fromPc.noiseBursts; }},
        {"noise before the handheld's echo", false, plan([](FaultPlan& f) { f.fromHandheld.noise = {{1}}; }),
         [](const FaultCounters& c) { return c.fromHandheld.noiseBytes / 3; }},
        {"a late echo", false, plan([](FaultPlan& f) { f.lateEcho = {{1, 3}}; }),
         [](const FaultCounters& c) { return c.lateEchoes; }},
        {"bursts and checksum errors", true,
         plan([](FaultPlan& f) {
             f.burst = true;
             f.fromHandheld.corruptFrame = {{}, 0.2};
         }),
         [](const FaultCounters& c) { return c.fromHandheld.corruptedFrames; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.download) {
            HandheldSimulation simulation(Downloading(test.faults));
            simulation.Handheld().SetSection('T', kThreePackets);
            EXPECT_TRUE(SameBytes(Download(simulation), kThreePackets));
            EXPECT_GT(test.count(simulation.Faults()), 0);
        } else {
            HandheldSimulation simulation(Uploading(test.faults));
            EXPECT_TRUE(Upload(simulation, kThreePackets));
            EXPECT_TRUE(SameBytes(simulation.Received('T'), kThreePackets));
            EXPECT_GT(test.count(simulation.Faults()), 0);
        }
    }
}

TEST(HandheldSimulationTest, ACorruptedFrameDamagesTheChosenDataByte) {
    struct Case {
        int dataIndex;
        std::size_t wireOffset; // of the damaged byte in the first frame: SOH, block, complement, data...
    };
    const std::string packet = Section('E', {40});
    for (const Case& test : std::vector<Case>{{0, 3}, {4, 7}, {-1, 3 + 39}, {200, 3 + 39}}) {
        SCOPED_TRACE(test.dataIndex);
        FaultPlan faults;
        faults.fromHandheld.corruptFrame = {{1}};
        faults.fromHandheld.corruptDataIndex = test.dataIndex;
        HandheldSimulation::Options options = Downloading(faults);
        options.handheld.sendLetter = 'E';
        HandheldSimulation simulation(options);
        simulation.Handheld().SetSection('E', packet);
        ComPort port(simulation.Opener(), simulation.Clock());
        ASSERT_TRUE(port.Open(1));
        while (port.BytesWaiting() < 3)
            port.Clock().SleepMs(1);
        port.ReadByte(), port.ReadByte(), port.ReadByte();
        for (unsigned char byte : {0x2E, 40, 0})
            port.WriteByte(byte);
        while (port.BytesWaiting() < 1 + 44)
            port.Clock().SleepMs(1);
        EXPECT_EQ(port.ReadByte(), 0xC0);
        std::string frame;
        for (int i = 0; i < 44; ++i)
            frame += static_cast<char>(port.ReadByte());
        for (std::size_t at = 3; at < 43; ++at)
            EXPECT_EQ(frame[at] == packet[at - 3], at != test.wireOffset) << at;
    }
}

TEST(HandheldSimulationTest, ASilentHandheldLeavesThePcWaiting) {
    FaultPlan faults;
    faults.silentFromMessage = 4; // announce, go, frame 1, then nothing
    HandheldSimulation simulation(Downloading(faults));
    simulation.Handheld().SetSection('T', kThreePackets);
    ComPort port(simulation.Opener(), simulation.Clock());
    ASSERT_TRUE(port.Open(1));
    EXPECT_FALSE(LiteralPc(port, 20000).Download().has_value());
    EXPECT_GT(simulation.Faults().silencedBytes, 0);
}

TEST(HandheldSimulationTest, ThePortOpensOnceAtATimeAndDropsWhatArrivesWhileClosed) {
    HandheldSimulation simulation(Downloading());
    simulation.Handheld().SetSection('T', kThreePackets);
    auto opener = simulation.Opener();
    auto first = opener("COM1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(opener("COM1"), nullptr);
    first.reset();
    simulation.Run(500);
    auto second = opener("COM2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->BytesWaiting(), 0);
    simulation.Run(200);
    EXPECT_GT(second->BytesWaiting(), 0);
    EXPECT_TRUE(second->ConfigureLine());
    EXPECT_EQ(second->BytesWaiting(), 0);
    EXPECT_EQ(simulation.NamesOpened(), (std::vector<std::string>{"COM1", "COM1", "COM2"}));
}

} // namespace
