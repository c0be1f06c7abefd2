// The link protocol against a scripted handheld, in virtual time: the cases
// the simulated handheld cannot stage on cue.
#include "link/LinkProtocol.h"

#include "ScriptedLine.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

class LinkProtocolTest : public ::testing::Test {
protected:
    VirtualLinkClock m_clock;
    ScriptedLine m_line{m_clock};
    ScriptedHost m_host;
    LinkProtocol m_link{m_line, m_clock, m_host};
};

TEST_F(LinkProtocolTest, WrongEchoIsIgnoredAndTheAnnounceRepeated) {
    const Bytes echoes[] = {{0x2E, 0x2C, 0x02}, {0x2E, 0x2C, 0x01}};
    std::size_t echoed = 0;
    m_line.onWrite = [&](std::uint8_t) {
        if (m_line.written.size() % 3 == 0 && echoed < std::size(echoes))
            m_line.Arrive(echoes[echoed++], 5, 4);
    };
    ASSERT_TRUE(m_link.AnnouncePacket(300));
    EXPECT_EQ(m_line.written, (Bytes{0x3F, 0x2C, 0x01, 0x3F, 0x2C, 0x01, 0xC0}));
}

TEST_F(LinkProtocolTest, ARepeatedFullFrameIsTakenWholeWhileTheShortLastOneIsAwaited) {
    Bytes bytes = FrameBytes(2, Bytes(128, 0x11));
    const Bytes expected = FrameBytes(3, Bytes(44, 0x22));
    bytes.insert(bytes.end(), expected.begin(), expected.end());
    m_line.Arrive(bytes, 0, 4);
    Bytes buffer(44);
    std::uint8_t marker = 0;
    ASSERT_TRUE(m_link.ReceiveFrame(buffer, 3, marker, [](int) {}));
    EXPECT_EQ(buffer, Bytes(44, 0x22));
    EXPECT_EQ(m_line.written, (Bytes{wire::kAck, wire::kAck}));
}

TEST_F(LinkProtocolTest, ARepeatedLastFrameIsAcknowledgedWhileTheNextAnnounceIsAwaited) {
    // A packet of a single frame, which starts with no section's letter.
    m_line.Arrive(FrameBytes(1, Bytes(30, 0x11)));
    Bytes buffer(30);
    std::uint8_t marker = 'N';
    ASSERT_TRUE(m_link.ReceiveFrame(buffer, 1, marker, [](int named) { ADD_FAILURE() << "named " << named; }));
    m_line.written.clear();

    // Our ACK was lost: the sender repeats the frame, with a 0x3F inside it,
    // before it announces the next packet.
    Bytes again = FrameBytes(1, Bytes(30, 0x3F));
    again.insert(again.end(), {0x3F, 0x05, 0x00});
    m_line.Arrive(again, 0, 4);
    m_line.onWrite = [&](std::uint8_t) {
        if (m_line.written.size() == 4)
            m_line.Arrive({wire::kGo}, 5);
    };
    EXPECT_EQ(m_link.AwaitPacket(), 5);
    EXPECT_EQ(Bytes(m_line.written.begin(), m_line.written.begin() + 4), (Bytes{wire::kAck, 0x2E, 0x05, 0x00}));
}

} // namespace
