// The handheld's protocol machine against a PC played byte by byte in virtual
// time.
#include "handheld/HandheldMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Exchange = std::vector<std::pair<std::string, std::string>>; // what the PC sends, what
                                                                   // the handheld answers

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Frame(int block, const std::string& data) {
    unsigned sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    return Bytes({0x01, block & 0xFF, 0xFF - (block & 0xFF)}) + data + static_cast<char>(sum & 0xFF);
}

std::string Announce(std::size_t length, int first = 0x3F) {
    return Bytes({first, static_cast<int>(length & 0xFF), static_cast<int>(length >> 8)});
}
std::string Echo(std::size_t length) { return Announce(length, 0x2E); }

// A packet of `length` bytes with a header and a recognisable body.
std::string Packet(char letter, int number, std::size_t length, bool last) {
    std::string packet = {letter, static_cast<char>(number), static_cast<char>(length & 0xFF),
                          static_cast<char>(length >> 8), last ? 'L' : 'N'};
    while (packet.size() < length)
        packet += static_cast<char>('a' + (packet.size() * 7 + number) % 26);
    return packet;
}

const std::string kAck = Bytes({0x06}), kNak = Bytes({0x15}), kGo = Bytes({0xC0});

// Plays the PC: feeds bytes 8 ms apart, lets time pass, and collects what the
// handheld transmits.
class PcScript {
public:
    explicit PcScript(HandheldMachine::Options options = {}) : m_machine(std::move(options), m_now) {}
    HandheldMachine& Machine() { return m_machine; }

    void Send(const std::string& bytes) {
        for (char c : bytes) {
            m_machine.OnByte(static_cast<std::uint8_t>(c), m_now);
            Wait(8);
        }
    }
    void Wait(std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) {
            m_machine.OnTime(++m_now);
            Drain();
        }
    }
    // What the handheld sent since the last call (taken off its queue as soon as
    // it was put there).
    std::string Heard() {
        Drain();
        return std::exchange(m_heard, {});
    }
    // Announce and go, then the packet's frames; the handheld's reply to each
    // frame.
    std::vector<std::string> Upload(const std::string& packet) {
        Send(Announce(packet.size()));
        EXPECT_EQ(Heard(), Echo(packet.size()));
        Send(kGo);
        Wait(60);
        std::vector<std::string> replies;
        for (std::size_t offset = 0, block = 1; offset < packet.size(); offset += 128, ++block) {
            Send(Frame(static_cast<int>(block), packet.substr(offset, 128)));
            replies.push_back(Heard());
        }
        return replies;
    }
    // Each exchange in turn; an empty send lets `waitMs` pass instead.
    void Play(const Exchange& exchange, std::uint32_t waitMs = 0) {
        for (const auto& [sent, answer] : exchange) {
            sent.empty() ? Wait(waitMs) : Send(sent);
            EXPECT_EQ(Heard(), answer) << testing::PrintToString(sent);
        }
    }
    std::string Stored(char letter) { return m_machine.Section(letter) ? *m_machine.Section(letter) : "(none)"; }

private:
    void Drain() {
        while (m_machine.HasOutput())
            m_heard += static_cast<char>(m_machine.TakeOutput(m_now).byte);
    }

    std::uint32_t m_now = 100;
    HandheldMachine m_machine;
    std::string m_heard;
};

TEST(HandheldReceiverTest, GivesUpOnASilentPcAndListensAgain) {
    PcScript pc;
    pc.Play({{Announce(300) + kGo + Frame(1, std::string(128, 'x')), Echo(300) + kAck}});
    // Its ACK may have been lost: it goes twice more, then the handheld gives up.
    pc.Play({{"", kAck + kAck}}, 5100);
    EXPECT_EQ(pc.Machine().CurrentState(), HandheldMachine::State::Idle);
    pc.Upload(Packet('T', 0, 20, true));
    EXPECT_EQ(pc.Machine().Transfers().size(), 1u);
}

// The handheld as the sender of its section of this letter.
HandheldMachine::Options Sending(char letter) {
    HandheldMachine::Options options;
    options.sendLetter = letter;
    options.sendRepeatedly = false;
    return options;
}

TEST(HandheldSenderTest, RepeatsWhatGotNoFittingAnswer) {
    const std::string packet = Packet('S', 0, 20, true);
    const std::string frame = Frame(1, packet), announce = Announce(20), echo = Echo(20);
    struct Case {
        const char* name;
        Exchange exchange;
        std::uint32_t waitMs;
    };
    const Case cases[] = {
        {"a wrong echo is ignored and the announce repeated",
         {{Echo(21), ""}, {"", announce}, {echo, kGo + frame}, {kAck, ""}},
         200},
        {"an echo cut short by noise, then a good one",
         {{Bytes({0x2E, 0x14, 0x2E, 0x14, 0x00}), kGo + frame}, {kAck, ""}},
         0},
        {"a garbled reply: the same frame again at once", {{echo, kGo + frame}, {Bytes({0x86}), frame}, {kAck, ""}}, 0},
        {"an echo under way when go left changes nothing", {{echo, kGo + frame}, {echo, ""}, {kAck, ""}}, 0},
        {"echoes and no reply: the PC missed go",
         {{echo, kGo + frame}, {echo, ""}, {"", kGo + frame}, {kAck, ""}},
         1100},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        PcScript pc(Sending('S'));
        pc.Machine().SetSection('S', packet);
        pc.Wait(1);
        EXPECT_EQ(pc.Heard(), announce);
        pc.Play(test.exchange, test.waitMs);
        EXPECT_EQ(pc.Machine().Transfers().size(), 1u);
    }
}

TEST(HandheldSenderTest, ReannouncesUntilEchoedAndGivesWayToAnUploadingPc) {
    PcScript pc(Sending('E'));
    pc.Machine().SetSection('E', Packet('E', 0, 10, true));
    pc.Wait(1);
    EXPECT_EQ(pc.Heard(), Announce(10));
    pc.Play({{"", Announce(10)}}, 160);
    const std::string upload = Packet('R', 0, 30, true);
    EXPECT_EQ(pc.Upload(upload), std::vector<std::string>{kAck});
    EXPECT_EQ(pc.Stored('R'), upload);
    // It rests before it offers its section again, repeating its last ACK in case
    // the PC missed it.
    pc.Play({{"", kAck}}, 1900);
    pc.Play({{"", Announce(10)}}, 200);
}

} // namespace
