// The stand-alone handheld: its protocol machine against a PC played byte by
// byte, its command line, and the in-process handheld on its simulated line,
// whose pace and staged faults the PC's transfer code sees.
#include "handheld/HandheldToolOptions.h"
#include "link/SectionTransfer.h"
#include "link/TransferTestSupport.h"
#include "support/TempHome.h"

namespace {

// The one frame of a short packet: block 1, then the data and their sum.
std::string Frame(const std::string& data) {
    char sum = 0;
    for (char c : data)
        sum = static_cast<char>(sum + c);
    return "\x01\x01\xFE" + data + sum;
}

std::string Announce(std::size_t length, char first = '?') {
    return {first, static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)};
}
std::string Echo(std::size_t length) { return Announce(length, '.'); }

const std::string kAck = "\x06", kGo = "\xC0";
const std::string kOffered = PacketsOfLengths('S', {20}), kUploaded = PacketsOfLengths('R', {30});
const std::string kUpload = Announce(30) + kGo + Frame(kUploaded);

// What the PC sends (a byte every 8 ms), how long it then stays quiet, and what
// the handheld has transmitted meanwhile.
using Step = std::tuple<std::string, std::uint32_t, std::string>;

// Plays the PC's steps against the machine, from its start at 100 ms of
// virtual time.
void Play(HandheldMachine& machine, const std::vector<Step>& steps) {
    std::uint32_t now = 100;
    std::string transmitted;
    auto wait = [&](std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) {
            machine.OnTime(++now);
            while (machine.HasOutput())
                transmitted += static_cast<char>(machine.TakeOutput(now).byte);
        }
    };
    for (const auto& [sent, quietMs, heard] : steps) {
        for (char c : sent) {
            machine.OnByte(static_cast<std::uint8_t>(c), now);
            wait(8);
        }
        wait(quietMs);
        EXPECT_EQ(std::exchange(transmitted, {}), heard) << testing::PrintToString(sent);
    }
}

// The handheld offers its section when the PC begins by listening. Each case
// ends with one section moved whole: the offered one, or the one the PC uploaded.
TEST(HandheldMachineTest, RepeatsWhatGotNoFittingAnswerAndGivesUpOnASilentPc) {
    const std::string frame = Frame(kOffered), announce = Announce(20), echo = Echo(20);
    const Step offer = {"", 1, announce};
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"a wrong echo is ignored and the announce repeated",
         {offer, {Echo(21), 0, ""}, {"", 200, announce}, {echo, 0, kGo + frame}, {kAck, 0, ""}}},
        {"an echo cut short by noise, then a good one",
         {offer, {std::string(".\x14.\x14\0", 5), 0, kGo + frame}, {kAck, 0, ""}}},
        {"a garbled reply: the same frame again at once",
         {offer, {echo, 0, kGo + frame}, {"\x86", 0, frame}, {kAck, 0, ""}}},
        {"an echo under way when go left changes nothing",
         {offer, {echo, 0, kGo + frame}, {echo, 0, ""}, {kAck, 0, ""}}},
        {"echoes and no reply: the PC missed go",
         {offer, {echo, 0, kGo + frame}, {echo, 0, ""}, {"", 1100, kGo + frame}, {kAck, 0, ""}}},
        // Unechoed, it announces again; it takes an upload instead, then rests,
        // repeating its last ACK in case the PC missed it, before it offers again.
        {"an uploading PC takes precedence",
         {offer, {"", 160, announce}, {kUpload, 0, Echo(30) + kAck}, {"", 1900, kAck}, {"", 200, announce}}},
        // Its ACK may have been lost: it goes twice more, then the handheld
        // listens for a new packet.
        {"a PC gone silent mid-packet",
         {{Announce(300) + kGo + Frame(std::string(128, 'x')), 0, Echo(300) + kAck},
          {"", 5100, kAck + kAck},
          {kUpload, 0, Echo(30) + kAck}}},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        HandheldMachine::Options options;
        if (std::get<0>(steps[0]).empty())
            options.sendLetter = 'S';
        options.sendRepeatedly = false;
        HandheldMachine machine(options, 100);
        machine.SetSection('S', kOffered);
        Play(machine, steps);
        const std::vector<CompletedTransfer>& moved = machine.Transfers();
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_EQ(moved[0].bytes, moved[0].received ? kUploaded : kOffered);
    }
}

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
