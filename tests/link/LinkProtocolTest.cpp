// The link protocol against a scripted handheld, in virtual time: the cases
// the simulated handheld cannot stage on cue.
#include "link/LinkProtocol.h"

#include "TransferTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <numeric>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A line whose other end is a script: bytes arrive at given virtual times, and
// the script may answer what the PC writes.
class ScriptedLine : public SerialLine {
public:
    explicit ScriptedLine(VirtualLinkClock& clock) : m_clock(clock) {}

    // Queues bytes from the other end, the first at `delayMs` from now, the
    // others `spacingMs` apart (4 ms is a 2400-baud line); bytes still queued
    // come first, and the new ones follow them at the same spacing.
    void Arrive(const Bytes& bytes, std::uint32_t delayMs = 0, std::uint32_t spacingMs = 0) {
        std::uint32_t at = m_clock.NowMs() + delayMs;
        if (!m_incoming.empty())
            at = std::max(at, m_incoming.back().first + spacingMs);
        for (std::uint8_t byte : bytes) {
            m_incoming.emplace_back(at, byte);
            at += spacingMs;
        }
    }

    // The queue is in time order, so the bytes due are at its front.
    int BytesWaiting() override {
        return static_cast<int>(std::count_if(m_incoming.begin(), m_incoming.end(),
                                              [this](const auto& due) { return due.first <= m_clock.NowMs(); }));
    }
    unsigned char ReadByte() override {
        if (BytesWaiting() == 0)
            return 0;
        std::uint8_t byte = m_incoming.front().second;
        m_incoming.pop_front();
        return byte;
    }
    void WriteByte(unsigned char byte) override {
        written.push_back(byte);
        m_clock.SleepMs(8); // the port's pacing
        if (onWrite)
            onWrite();
    }

    // Called for every byte the PC writes, after it joined `written`.
    std::function<void()> onWrite;
    Bytes written;

private:
    VirtualLinkClock& m_clock;
    std::deque<std::pair<std::uint32_t, std::uint8_t>> m_incoming;
};

// A frame as the protocol puts it on the line.
Bytes FrameBytes(std::uint8_t block, const Bytes& data) {
    Bytes frame{0x01, block, static_cast<std::uint8_t>(0xFF - block)};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(static_cast<std::uint8_t>(std::accumulate(data.begin(), data.end(), 0u)));
    return frame;
}

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
    m_line.onWrite = [&] {
        if (m_line.written.size() % 3 == 0 && echoed < std::size(echoes))
            m_line.Arrive(echoes[echoed++], 5, 4);
    };
    ASSERT_TRUE(m_link.AnnouncePacket(300));
    EXPECT_EQ(m_line.written, (Bytes{0x3F, 0x2C, 0x01, 0x3F, 0x2C, 0x01, 0xC0}));
}

TEST_F(LinkProtocolTest, ARepeatedFullFrameIsTakenWholeWhileTheShortLastOneIsAwaited) {
    m_line.Arrive(FrameBytes(2, Bytes(128, 0x11)), 0, 4);
    m_line.Arrive(FrameBytes(3, Bytes(44, 0x22)), 0, 4);
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
    m_line.Arrive(FrameBytes(1, Bytes(30, 0x3F)), 0, 4);
    m_line.Arrive({0x3F, 0x05, 0x00}, 0, 4);
    m_line.onWrite = [&] {
        if (m_line.written.size() == 4)
            m_line.Arrive({wire::kGo}, 5);
    };
    EXPECT_EQ(m_link.AwaitPacket(), 5);
    EXPECT_EQ(Bytes(m_line.written.begin(), m_line.written.begin() + 4), (Bytes{wire::kAck, 0x2E, 0x05, 0x00}));
}

} // namespace
