// The handheld's protocol machine against a PC played byte by byte in virtual time.
#include "handheld/HandheldMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Frame(int block, const std::string& data, int checksumDelta = 0) {
    unsigned sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    return Bytes({0x01, block & 0xFF, 0xFF - (block & 0xFF)}) + data + static_cast<char>((sum + checksumDelta) & 0xFF);
}

std::string LengthMessage(int first, std::size_t length) {
    return Bytes({first, static_cast<int>(length & 0xFF), static_cast<int>(length >> 8)});
}

// A packet of `length` bytes with a header and a recognisable body.
std::string Packet(char letter, int number, std::size_t length, bool last) {
    std::string packet = {letter, static_cast<char>(number), static_cast<char>(length & 0xFF),
                          static_cast<char>(length >> 8), last ? 'L' : 'N'};
    while (packet.size() < length)
        packet += static_cast<char>('a' + (packet.size() * 7 + number) % 26);
    return packet;
}

// Plays the PC: feeds bytes 8 ms apart, lets time pass, and collects what
// the handheld transmits (taken as soon as it is queued).
class PcScript {
public:
    explicit PcScript(HandheldMachine::Options options) : m_machine(std::move(options), m_now) {}

    HandheldMachine& Machine() { return m_machine; }
    std::uint32_t Now() const { return m_now; }

    void Send(const std::string& bytes) {
        for (char c : bytes) {
            m_machine.OnByte(static_cast<std::uint8_t>(c), m_now);
            Wait(8);
        }
    }
    void Wait(std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) {
            ++m_now;
            m_machine.OnTime(m_now);
            Drain();
        }
        Drain();
    }
    // What the handheld sent since the last call.
    std::string Heard() {
        Drain();
        return std::exchange(m_heard, {});
    }

private:
    void Drain() {
        while (m_machine.HasOutput())
            m_heard += static_cast<char>(m_machine.TakeOutput(m_now).byte);
    }

    std::uint32_t m_now = 100;
    HandheldMachine m_machine;
    std::string m_heard;
};

const std::string kAck = Bytes({0x06});
const std::string kNak = Bytes({0x15});
const std::string kGo = Bytes({0xC0});

// The PC uploads one packet: announce, go, frames; the handheld's replies are returned one per frame.
std::vector<std::string> Upload(PcScript& pc, const std::string& packet) {
    pc.Send(LengthMessage(0x3F, packet.size()));
    EXPECT_EQ(pc.Heard(), LengthMessage(0x2E, packet.size()));
    pc.Send(kGo);
    pc.Wait(60);
    std::vector<std::string> replies;
    for (std::size_t offset = 0, block = 1; offset < packet.size(); offset += 128, ++block) {
        pc.Send(Frame(static_cast<int>(block), packet.substr(offset, 128)));
        replies.push_back(pc.Heard());
    }
    return replies;
}

TEST(HandheldReceiverTest, TakesPacketsOfEveryLengthFrameByFrame) {
    struct Case {
        std::size_t length;
        std::size_t frames;
    };
    for (const Case& test : std::vector<Case>{{5, 1}, {128, 1}, {129, 2}, {300, 3}, {2401, 19}}) {
        SCOPED_TRACE(test.length);
        PcScript pc({});
        const std::string packet = Packet('E', 0, test.length, true);
        std::vector<std::string> replies = Upload(pc, packet);
        EXPECT_EQ(replies, std::vector<std::string>(test.frames, kAck));
        ASSERT_EQ(pc.Machine().Transfers().size(), 1u);
        EXPECT_TRUE(pc.Machine().Transfers()[0].received);
        ASSERT_NE(pc.Machine().Section('E'), nullptr);
        EXPECT_EQ(*pc.Machine().Section('E'), packet);
    }
}

TEST(HandheldReceiverTest, JoinsSeveralPacketsAndStoresThemUnderTheFirstPacketsLetter) {
    PcScript pc({});
    const std::string first = Packet('S', 0, 300, false);
    const std::string empty = LengthMessage(0x3F, 0);
    const std::string second = Packet('S', 1, 40, true);
    Upload(pc, first);
    EXPECT_EQ(pc.Machine().CurrentState(), HandheldMachine::State::BetweenPackets);
    // A packet without frames in between is confirmed and carries nothing.
    pc.Send(empty);
    EXPECT_EQ(pc.Heard(), LengthMessage(0x2E, 0));
    pc.Send(kGo);
    pc.Wait(60);
    Upload(pc, second);
    ASSERT_NE(pc.Machine().Section('S'), nullptr);
    EXPECT_EQ(*pc.Machine().Section('S'), first + second);
}

TEST(HandheldReceiverTest, AnswersDamagedAndRepeatedFramesSoThatBothSidesStayInStep) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> exchange; // what the PC sends, what the handheld answers
    };
    const std::string packet = Packet('T', 0, 300, true);
    const std::string f1 = Frame(1, packet.substr(0, 128));
    const std::string f2 = Frame(2, packet.substr(128, 128));
    const std::string f3 = Frame(3, packet.substr(256));
    const std::vector<Case> cases = {
        {"wrong checksum: NAK, then the same frame is taken",
         {{f1, kAck}, {Frame(2, packet.substr(128, 128), 1), kNak}, {f2, kAck}, {f3, kAck}}},
        {"an earlier block again: ACK, and the expected one is still awaited",
         {{f1, kAck}, {f1, kAck}, {f2, kAck}, {f3, kAck}}},
        {"a full frame repeated while the short last one is due",
         {{f1, kAck}, {f2, kAck}, {f2, kAck}, {f3, kAck}}},
        {"noise before a frame is skipped",
         {{f1, kAck}, {Bytes({0x55, 0x01, 0x99}) + f2, kAck}, {f3, kAck}}},
        {"a SOH inside the data of a repeat does not confuse it",
         {{f1, kAck}, {Bytes({0x01, 0x02}) + f2, kAck}, {f3, kAck}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        PcScript pc({});
        pc.Send(LengthMessage(0x3F, packet.size()));
        pc.Send(kGo);
        pc.Wait(60);
        pc.Heard();
        for (const auto& [sent, answer] : test.exchange) {
            pc.Send(sent);
            EXPECT_EQ(pc.Heard(), answer);
        }
        ASSERT_NE(pc.Machine().Section('T'), nullptr);
        EXPECT_EQ(*pc.Machine().Section('T'), packet);
    }
}

TEST(HandheldReceiverTest, AcknowledgesAPacketsLastFrameAgainWhileWaitingForTheNextAnnounce) {
    PcScript pc({});
    const std::string first = Packet('R', 0, 200, false);
    const std::string second = Packet('R', 1, 10, true);
    Upload(pc, first);
    // The PC missed the ACK: the last frame (72 bytes, block 2) comes again.
    // It holds an announce byte that must not be read as one.
    std::string data = first.substr(128);
    data[3] = 0x3F;
    const std::string modified = first.substr(0, 128) + data;
    PcScript other({});
    Upload(other, modified);
    other.Send(Frame(2, data));
    EXPECT_EQ(other.Heard(), kAck);
    Upload(other, second);
    ASSERT_NE(other.Machine().Section('R'), nullptr);
    EXPECT_EQ(*other.Machine().Section('R'), modified + second);
    // And after the last packet of a section too.
    other.Send(Frame(1, second));
    EXPECT_EQ(other.Heard(), kAck);
    EXPECT_EQ(other.Machine().Transfers().size(), 1u);
}

TEST(HandheldReceiverTest, NaksAFrameThatStopsShortAndTakesItsRepeat) {
    PcScript pc({});
    const std::string packet = Packet('T', 0, 60, true);
    pc.Send(LengthMessage(0x3F, packet.size()));
    pc.Send(kGo);
    pc.Wait(60);
    pc.Heard();
    std::string shortFrame = Frame(1, packet);
    shortFrame.erase(20, 1);
    pc.Send(shortFrame);
    EXPECT_EQ(pc.Heard(), "");
    pc.Wait(600);
    EXPECT_EQ(pc.Heard(), kNak);
    pc.Send(Frame(1, packet));
    EXPECT_EQ(pc.Heard(), kAck);
    EXPECT_EQ(pc.Machine().Transfers().size(), 1u);
}

TEST(HandheldReceiverTest, HandshakeFollowsTheAnnounceItIsGiven) {
    PcScript pc({});
    // A repeated announce with another length gets its own echo; noise
    // between echo and go is skipped.
    pc.Send(LengthMessage(0x3F, 77));
    EXPECT_EQ(pc.Heard(), LengthMessage(0x2E, 77));
    pc.Send(LengthMessage(0x3F, 9));
    EXPECT_EQ(pc.Heard(), LengthMessage(0x2E, 9));
    pc.Send(Bytes({0x55, 0xC0}));
    EXPECT_EQ(pc.Machine().CurrentState(), HandheldMachine::State::ReceivingFrames);
    EXPECT_EQ(pc.Machine().ExpectedFrameLength(), 9);

    // A lost go: the first frame's start ends the handshake as well.
    PcScript lostGo({});
    const std::string packet = Packet('E', 0, 9, true);
    lostGo.Send(LengthMessage(0x3F, 9));
    lostGo.Heard();
    lostGo.Send(Frame(1, packet));
    EXPECT_EQ(lostGo.Heard(), kAck);

    // Longer than the packet buffer: no echo.
    PcScript tooLong({});
    tooLong.Send(LengthMessage(0x3F, 5000));
    EXPECT_EQ(tooLong.Heard(), "");
}

TEST(HandheldReceiverTest, GivesUpOnASilentPcAndListensAgain) {
    PcScript pc({});
    pc.Send(LengthMessage(0x3F, 300));
    pc.Send(kGo);
    pc.Send(Frame(1, std::string(128, 'x')));
    EXPECT_EQ(pc.Heard(), LengthMessage(0x2E, 300) + kAck);
    // Its ACK may have been lost: it goes twice more, then the handheld gives up.
    pc.Wait(5100);
    EXPECT_EQ(pc.Heard(), kAck + kAck);
    EXPECT_EQ(pc.Machine().CurrentState(), HandheldMachine::State::Idle);
    Upload(pc, Packet('T', 0, 20, true));
    EXPECT_EQ(pc.Machine().Transfers().size(), 1u);
}

// The handheld as sender, with a section of the given packets.
HandheldMachine::Options Sending(char letter) {
    HandheldMachine::Options options;
    options.sendLetter = letter;
    options.sendRepeatedly = false;
    return options;
}

TEST(HandheldSenderTest, SendsEveryPacketAsFramesWithCorrectNumbersAndChecksums) {
    const std::string section = Packet('T', 0, 300, false) + Packet('T', 1, 0, false) + Packet('T', 2, 129, true);
    PcScript pc(Sending('T'));
    pc.Machine().SetSection('T', section);
    pc.Wait(1);
    std::string received;
    std::string heard = pc.Heard();
    for (std::size_t length : {300u, 0u, 129u}) {
        SCOPED_TRACE(length);
        if (heard.empty())
            heard = pc.Heard();
        EXPECT_EQ(heard, LengthMessage(0x3F, length));
        pc.Send(LengthMessage(0x2E, length));
        heard = pc.Heard();
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.substr(0, 1), kGo);
        heard.erase(0, 1);
        if (length == 0) {
            pc.Wait(70);
            heard.clear();
            continue;
        }
        for (int block = 1; static_cast<std::size_t>(block - 1) * 128 < length; ++block) {
            const std::size_t n = std::min<std::size_t>(128, length - (block - 1) * 128);
            ASSERT_EQ(heard.size(), n + 4);
            const std::string data = heard.substr(3, n);
            EXPECT_EQ(heard, Frame(block, data));
            received += data;
            pc.Send(kAck);
            heard = pc.Heard();
        }
    }
    EXPECT_EQ(heard, "");
    EXPECT_EQ(received, section.substr(0, 300) + section.substr(305));
    ASSERT_EQ(pc.Machine().Transfers().size(), 1u);
    EXPECT_FALSE(pc.Machine().Transfers()[0].received);
    pc.Wait(5000);
    EXPECT_EQ(pc.Heard(), "") << "sent once only";
}

TEST(HandheldSenderTest, RepeatsWhatGotNoFittingAnswer) {
    const std::string packet = Packet('S', 0, 20, true);
    const std::string frame = Frame(1, packet);
    const std::string announce = LengthMessage(0x3F, 20);
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> exchange; // PC sends (then waits), handheld answers
        std::uint32_t waitMs;
    };
    const std::vector<Case> cases = {
        {"a wrong echo is ignored and the announce repeated",
         {{LengthMessage(0x2E, 21), ""}, {"", announce}, {LengthMessage(0x2E, 20), kGo + frame}, {kAck, ""}}, 200},
        {"an echo cut short by noise, then a good one",
         {{Bytes({0x2E, 0x14, 0x2E, 0x14, 0x00}), kGo + frame}, {kAck, ""}}, 0},
        {"NAK: the same frame again",
         {{LengthMessage(0x2E, 20), kGo + frame}, {kNak, frame}, {kAck, ""}}, 0},
        {"no reply within a second: the same frame again",
         {{LengthMessage(0x2E, 20), kGo + frame}, {"", frame}, {kAck, ""}}, 1100},
        {"a garbled reply is no reply",
         {{LengthMessage(0x2E, 20), kGo + frame}, {Bytes({0x86}), ""}, {"", frame}, {kAck, ""}}, 1100},
        {"an echo that was under way when go left changes nothing",
         {{LengthMessage(0x2E, 20), kGo + frame}, {LengthMessage(0x2E, 20), ""}, {kAck, ""}}, 0},
        {"echoes and no reply: the PC missed go, so go and the frame again",
         {{LengthMessage(0x2E, 20), kGo + frame}, {LengthMessage(0x2E, 20), ""}, {"", kGo + frame}, {kAck, ""}},
         1100},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        PcScript pc(Sending('S'));
        pc.Machine().SetSection('S', packet);
        pc.Wait(1);
        EXPECT_EQ(pc.Heard(), announce);
        for (const auto& [sent, answer] : test.exchange) {
            if (sent.empty())
                pc.Wait(test.waitMs);
            else
                pc.Send(sent);
            EXPECT_EQ(pc.Heard(), answer);
        }
        EXPECT_EQ(pc.Machine().Transfers().size(), 1u);
    }
}

TEST(HandheldSenderTest, ReannouncesUntilEchoedAndGivesWayToAnUploadingPc) {
    PcScript pc(Sending('E'));
    pc.Machine().SetSection('E', Packet('E', 0, 10, true));
    pc.Wait(1);
    EXPECT_EQ(pc.Heard(), LengthMessage(0x3F, 10));
    pc.Wait(160);
    EXPECT_EQ(pc.Heard(), LengthMessage(0x3F, 10));
    const std::string upload = Packet('R', 0, 30, true);
    std::vector<std::string> replies = Upload(pc, upload);
    EXPECT_EQ(replies, std::vector<std::string>{kAck});
    ASSERT_NE(pc.Machine().Section('R'), nullptr);
    EXPECT_EQ(*pc.Machine().Section('R'), upload);
    // It rests before it offers its section again, repeating its last ACK
    // in case the PC missed it.
    pc.Wait(1900);
    EXPECT_EQ(pc.Heard(), kAck);
    pc.Wait(200);
    EXPECT_EQ(pc.Heard(), LengthMessage(0x3F, 10));
}

TEST(HandheldSenderTest, OffersNothingWithoutAValidSection) {
    for (const std::string& section : {std::string(), std::string("T\0\x03\0L", 5), Packet('T', 0, 10, false)}) {
        PcScript pc(Sending('T'));
        if (!section.empty())
            pc.Machine().SetSection('T', section);
        EXPECT_FALSE(pc.Machine().CanSend());
        pc.Wait(500);
        EXPECT_EQ(pc.Heard(), "");
    }
}

} // namespace
