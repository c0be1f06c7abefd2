// The link protocol against a scripted handheld, in virtual time.
#include "link/LinkProtocol.h"

#include "ScriptedLine.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Data(int n, int seed = 0) {
    Bytes data(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + seed);
    return data;
}

class LinkProtocolTest : public ::testing::Test {
protected:
    VirtualLinkClock m_clock;
    ScriptedLine m_line{m_clock};
    ScriptedHost m_host;
    LinkProtocol m_link{m_line, m_clock, m_host};

    // Answers every complete announce of the PC with the given echoes in turn.
    void EchoAnnounces(std::vector<Bytes> echoes, std::uint32_t delayMs = 5) {
        auto count = std::make_shared<std::size_t>(0);
        m_line.onWrite = [this, echoes, delayMs, count](std::uint8_t) {
            const Bytes& written = m_line.Written();
            if (written.size() >= 3 && written[written.size() - 3] == wire::kAnnounce && *count < echoes.size())
                m_line.Arrive(echoes[(*count)++], delayMs, 4);
        };
    }
};

TEST_F(LinkProtocolTest, WrongEchoIsIgnoredAndTheAnnounceRepeated) {
    EchoAnnounces({{0x2E, 0x2C, 0x02}, {0x2E, 0x2C, 0x01}});
    ASSERT_TRUE(m_link.AnnouncePacket(300));
    EXPECT_EQ(m_line.Written(), (Bytes{0x3F, 0x2C, 0x01, 0x3F, 0x2C, 0x01, 0xC0}));
}

TEST_F(LinkProtocolTest, AFrameIsRepeatedWholeAfterANakOrNoise) {
    const Bytes data = Data(44);
    const Bytes frame = FrameBytes(3, data);
    for (std::uint8_t firstReply : {wire::kNak, std::uint8_t{0x77}}) {
        SCOPED_TRACE(int(firstReply));
        m_line.ClearWritten();
        int frames = 0;
        m_line.onWrite = [&](std::uint8_t) {
            if (m_line.Written().size() % frame.size() != 0)
                return;
            // Noise before a reply: the ACK right behind it must not be taken
            // for the answer to the repeat.
            if (++frames == 1 && firstReply == wire::kNak)
                m_line.Arrive({wire::kNak}, 10);
            else if (frames == 1)
                m_line.Arrive({firstReply, wire::kAck}, 10, 4);
            else
                m_line.Arrive({wire::kAck}, 10);
        };
        ASSERT_TRUE(m_link.SendFrame(data, 3));
        EXPECT_EQ(frames, 2);
        Bytes twice = frame;
        twice.insert(twice.end(), frame.begin(), frame.end());
        EXPECT_EQ(m_line.Written(), twice);
    }
}

TEST_F(LinkProtocolTest, ARepeatedFullFrameIsTakenWholeWhileTheShortLastOneIsAwaited) {
    Bytes earlier = FrameBytes(2, Data(128, 1));
    Bytes expected = FrameBytes(3, Data(44, 2));
    Bytes bytes = earlier;
    bytes.insert(bytes.end(), expected.begin(), expected.end());
    m_line.Arrive(bytes, 0, 4);
    Bytes buffer(44);
    std::uint8_t marker = 0;
    int section = 1;
    ASSERT_TRUE(m_link.ReceiveFrame(buffer, 3, marker, [&](int named) { section = named; }));
    EXPECT_EQ(buffer, Data(44, 2));
    EXPECT_EQ(m_line.Written(), (Bytes{wire::kAck, wire::kAck}));
}

TEST_F(LinkProtocolTest, TheFirstFrameNamesTheSectionEvenWithABadChecksum) {
    const std::pair<char, int> cases[] = {{'E', 3}, {'T', 1}, {'S', 2}, {'R', 4}, {'X', 2}};
    for (auto [letter, expected] : cases) {
        SCOPED_TRACE(letter);
        m_line.ClearWritten();
        Bytes data = Data(10);
        data[0] = static_cast<std::uint8_t>(letter);
        data[4] = 'L';
        Bytes bytes = FrameBytes(1, data, 1);
        Bytes good = FrameBytes(1, data);
        bytes.insert(bytes.end(), good.begin(), good.end());
        m_line.Arrive(bytes);
        Bytes buffer(10);
        std::uint8_t marker = 'N';
        int section = 2;
        ASSERT_TRUE(m_link.ReceiveFrame(buffer, 1, marker, [&](int named) { section = named; }));
        EXPECT_EQ(section, expected);
        EXPECT_EQ(marker, 'L');
        EXPECT_EQ(m_line.Written(), (Bytes{wire::kNak, wire::kAck}));
    }
}

TEST_F(LinkProtocolTest, ARepeatedLastFrameIsAcknowledgedWhileTheNextAnnounceIsAwaited) {
    Bytes last = FrameBytes(2, Data(30));
    m_line.Arrive(last);
    Bytes buffer(30);
    std::uint8_t marker = 'N';
    int section = 1;
    ASSERT_TRUE(m_link.ReceiveFrame(buffer, 2, marker, [&](int named) { section = named; }));
    m_line.ClearWritten();

    // Our ACK was lost: the sender repeats the frame, with a 0x3F inside it,
    // before it announces the next packet.
    Bytes again = FrameBytes(2, Bytes(30, 0x3F));
    again.insert(again.end(), {0x3F, 0x05, 0x00});
    m_line.Arrive(again, 0, 4);
    m_line.onWrite = [&](std::uint8_t) {
        if (m_line.Written().size() == 4)
            m_line.Arrive({wire::kGo}, 5);
    };
    EXPECT_EQ(m_link.AwaitPacket(), 5);
    EXPECT_EQ(Bytes(m_line.Written().begin(), m_line.Written().begin() + 4), (Bytes{wire::kAck, 0x2E, 0x05, 0x00}));
}

TEST_F(LinkProtocolTest, StopEndsEveryWaitAndNothingMoreIsSent) {
    struct Case {
        const char* wait;
        std::function<bool(LinkProtocol&)> run;
        Bytes arriving;
    };
    Bytes buffer(20);
    std::uint8_t marker = 0;
    int section = 1;
    const Case cases[] = {
        {"announce", [&](LinkProtocol& l) { return l.AwaitPacket().has_value(); }, {}},
        {"echo loop", [&](LinkProtocol& l) { return l.AwaitPacket().has_value(); }, {0x3F, 0x14, 0x00}},
        {"frame",
         [&](LinkProtocol& l) { return l.ReceiveFrame(buffer, 1, marker, [&](int named) { section = named; }); },
         {0x01, 0x01}},
        {"ACK", [&](LinkProtocol& l) { return l.SendFrame(Data(20), 1); }, {}},
        {"echo", [&](LinkProtocol& l) { return l.AnnouncePacket(20); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wait);
        m_line.Arrive(c.arriving);
        m_host.StopAfter(20);
        EXPECT_FALSE(c.run(m_link));
        std::size_t written = m_line.Written().size();
        EXPECT_FALSE(m_link.KeepGoing());
        EXPECT_EQ(m_line.Written().size(), written);
        m_host.StopAfter(-1000000);
        while (m_line.BytesWaiting() > 0)
            m_line.ReadByte();
        m_line.ClearWritten();
    }
}

} // namespace
