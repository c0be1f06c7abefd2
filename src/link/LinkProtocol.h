// The byte-level protocol spoken with the handheld: a three-step handshake per
// packet, then numbered frames of at most 128 bytes answered ACK or NAK.
#pragma once

#include "link/LinkClock.h"
#include "link/LinkHost.h"
#include "link/SerialLine.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>

// The bytes and times of the protocol.
namespace wire {

inline constexpr std::uint8_t kAnnounce = 0x3F;
inline constexpr std::uint8_t kEcho = 0x2E;
inline constexpr std::uint8_t kGo = 0xC0;
inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kLastPacketMarker = 0x4C; // 'L'

inline constexpr int kFrameDataMax = 128;
inline constexpr int kFrameOverhead = 4;           // SOH, block number, its complement, checksum
inline constexpr std::uint32_t kEchoPauseMs = 100; // between the announce and reading the echo
inline constexpr std::uint32_t kGoPauseMs = 60;    // after the go byte, before the input is emptied
// Between two looks at the input: the window is served and the STOP button
// read, and the thread sleeps instead of spinning.
inline constexpr std::uint32_t kPollMs = 1;
// How long the receiver gives the two length bytes of an announce to follow
// its first byte: bytes arrive one at a time, about 4 ms apart at 2400 baud.
inline constexpr std::uint32_t kLengthWaitMs = 60;

// How long `bytes` take on the 2400-baud line, ten bits each, rounded up.
constexpr std::uint32_t LineTimeMs(int bytes) { return static_cast<std::uint32_t>((bytes * 10 * 1000 + 2399) / 2400); }

} // namespace wire

// The received bytes: taken from the line as they come, so that the protocol
// can look ahead, give back what it read too early and tell how long the line
// has been quiet.
class LinkInput {
public:
    LinkInput(SerialLine& line, LinkClock& clock) : m_line(line), m_clock(clock), m_lastArrivalMs(clock.NowMs()) {}
    int Waiting();
    // The byte `index` places ahead; only for index < Waiting().
    std::uint8_t Peek(int index) const { return m_pending[static_cast<std::size_t>(index)]; }
    std::uint8_t Read();
    void PutBack(std::uint8_t byte) { m_pending.push_front(byte); }
    void DiscardAll();
    // Milliseconds since the last byte came.
    std::uint32_t QuietMs() { return m_clock.NowMs() - m_lastArrivalMs; }

private:
    SerialLine& m_line;
    LinkClock& m_clock;
    std::deque<std::uint8_t> m_pending;
    std::uint32_t m_lastArrivalMs;
};

// One side of the protocol for one transfer. Every wait serves the window and
// ends when the user asks to stop; the operations then return false (nullopt)
// without sending anything more. The handheld is never told.
class LinkProtocol {
public:
    LinkProtocol(SerialLine& line, LinkClock& clock, LinkHost& host);

    // Sender: announces a packet of `length` bytes until a matching echo comes
    // back, then sends the go byte.
    bool AnnouncePacket(std::uint16_t length);

    // Sender: sends one frame until it is acknowledged.
    bool SendFrame(std::span<const std::uint8_t> data, std::uint8_t block);

    // Receiver: waits for an announce, echoes it until the go byte comes, and
    // gives the packet's length.
    std::optional<std::uint16_t> AwaitPacket();

    // Receiver: receives frame `block` of `buffer.size()` bytes into the buffer
    // and acknowledges it. The first frame of a packet also gives the packet's
    // end marker and names its section (T, S, E or R; another letter names
    // none) as soon as it is in, before its checksum is tested.
    using SectionNamed = std::function<void(int section)>;
    bool ReceiveFrame(std::span<std::uint8_t> buffer, std::uint8_t block, std::uint8_t& marker,
                      const SectionNamed& sectionNamed);

    // Serves the window once and reads the STOP request; false when stopped.
    bool KeepGoing();

    static std::uint8_t Checksum(std::span<const std::uint8_t> data);

private:
    enum class Arrival { Came, Quiet, Stopped };

    void Send(std::uint8_t byte);
    bool WaitForBytes(int count);
    bool WaitForBytesAtMost(int count, std::uint32_t ms);
    Arrival WaitForBytesOrQuiet(int count, std::optional<std::uint32_t> quietMs);
    bool SkipRepeatedLastFrame();
    bool IsFrameWithDamagedHead(std::uint8_t block, int length, std::uint32_t quietMs, bool& stopped);

    SerialLine& m_line;
    LinkClock& m_clock;
    LinkHost& m_host;
    LinkInput m_input;
    // The last frame of the previous packet, which the sender may repeat while
    // the receiver already waits for the next announce.
    std::optional<std::uint8_t> m_lastBlock;
    int m_lastFrameLength = 0;
    // The first bytes of an echo seen at the end of one look at the input.
    std::deque<std::uint8_t> m_echoTail;
};
