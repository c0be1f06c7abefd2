// The handheld's protocol machine against a PC played byte by byte in virtual
// time.
#include "handheld/HandheldMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The last packet of a section, `length` bytes with its header.
std::string Packet(char letter, std::size_t length) {
    std::string packet = {letter, 0, static_cast<char>(length), 0, 'L'};
    packet.resize(length, 'x');
    return packet;
}

const std::string kAck = "\x06", kGo = "\xC0";
const std::string kOffered = Packet('S', 20), kUploaded = Packet('R', 30);
const std::string kUpload = Announce(30) + kGo + Frame(kUploaded);

// What the PC sends (a byte every 8 ms), how long it then stays quiet, and what
// the handheld has transmitted meanwhile.
struct Step {
    std::string sent;
    std::uint32_t quietMs;
    std::string heard;
};

// Plays the PC's steps against the machine, from its start at 100 ms of
// virtual time.
void Play(HandheldMachine& machine, const std::vector<Step>& steps) {
    std::uint32_t now = 100;
    std::string heard;
    auto wait = [&](std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) {
            machine.OnTime(++now);
            while (machine.HasOutput())
                heard += static_cast<char>(machine.TakeOutput(now).byte);
        }
    };
    for (const Step& step : steps) {
        for (char c : step.sent) {
            machine.OnByte(static_cast<std::uint8_t>(c), now);
            wait(8);
        }
        wait(step.quietMs);
        EXPECT_EQ(std::exchange(heard, {}), step.heard) << testing::PrintToString(step.sent);
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
        if (steps[0].sent.empty())
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

} // namespace
