// The byte-level protocol spoken with the handheld.
#include "link/LinkProtocol.h"

#include "records/Sections.h"

#include <algorithm>
#include <vector>

using namespace wire;

int LinkInput::Waiting() {
    // Only as many reads as the line says it holds: a line that has gone away
    // may claim bytes that no read delivers.
    const int arriving = m_line.BytesWaiting();
    for (int i = 0; i < arriving; ++i)
        m_pending.push_back(m_line.ReadByte());
    if (arriving > 0)
        m_lastArrivalMs = m_clock.NowMs();
    return static_cast<int>(m_pending.size());
}

std::uint8_t LinkInput::Read() {
    if (m_pending.empty() && Waiting() == 0)
        return 0;
    std::uint8_t byte = m_pending.front();
    m_pending.pop_front();
    return byte;
}

void LinkInput::DiscardAll() {
    Waiting();
    m_pending.clear();
}

LinkProtocol::LinkProtocol(SerialLine& line, LinkClock& clock, LinkHost& host)
    : m_line(line), m_clock(clock), m_host(host), m_input(line, clock) {}

std::uint8_t LinkProtocol::Checksum(std::span<const std::uint8_t> data) {
    unsigned sum = 0;
    for (std::uint8_t byte : data)
        sum += byte;
    return static_cast<std::uint8_t>(sum);
}

bool LinkProtocol::KeepGoing() {
    m_host.DispatchMessages();
    if (m_host.StopRequested())
        return false;
    m_clock.SleepMs(kPollMs);
    return true;
}

void LinkProtocol::Send(std::uint8_t byte) { m_line.WriteByte(byte); }

bool LinkProtocol::WaitForBytes(int count) {
    while (m_input.Waiting() < count)
        if (!KeepGoing())
            return false;
    return true;
}

// Waits a short while for bytes that are on their way; true when they came.
bool LinkProtocol::WaitForBytesAtMost(int count, std::uint32_t ms) {
    const std::uint32_t start = m_clock.NowMs();
    while (m_input.Waiting() < count) {
        if (m_clock.NowMs() - start >= ms)
            return false;
        m_clock.SleepMs(kPollMs);
    }
    return true;
}

bool LinkProtocol::AnnouncePacket(std::uint16_t length) {
    const std::uint8_t low = static_cast<std::uint8_t>(length & 0xFF);
    const std::uint8_t high = static_cast<std::uint8_t>(length >> 8);
    m_echoTail.clear();
    for (;;) {
        Send(kAnnounce);
        Send(low);
        Send(high);
        m_clock.SleepMs(kEchoPauseMs);

        // The echo is looked for among everything that has come, so that a
        // late reply or noise in front of it never puts the reading out of step.
        std::vector<std::uint8_t> seen(m_echoTail.begin(), m_echoTail.end());
        while (m_input.Waiting() > 0)
            seen.push_back(m_input.Read());
        const std::uint8_t echo[] = {kEcho, low, high};
        bool matched = std::search(seen.begin(), seen.end(), std::begin(echo), std::end(echo)) != seen.end();
        if (matched) {
            Send(kGo);
            m_clock.SleepMs(kGoPauseMs);
            m_input.DiscardAll(); // repeated echoes
            m_echoTail.clear();
            return true;
        }
        // Keep the start of an echo that is still arriving.
        m_echoTail.clear();
        for (std::size_t keep = std::min<std::size_t>(2, seen.size()); keep > 0; --keep) {
            if (std::equal(seen.end() - static_cast<std::ptrdiff_t>(keep), seen.end(), std::begin(echo))) {
                m_echoTail.assign(seen.end() - static_cast<std::ptrdiff_t>(keep), seen.end());
                break;
            }
        }
        if (!KeepGoing())
            return false;
    }
}

bool LinkProtocol::SendFrame(std::span<const std::uint8_t> data, std::uint8_t block) {
    const std::uint8_t checksum = Checksum(data);
    for (;;) {
        Send(kSoh);
        Send(block);
        Send(static_cast<std::uint8_t>(0xFF - block));
        for (std::uint8_t byte : data)
            Send(byte);
        // The handheld cannot answer a frame before its last byte: whatever
        // came while the frame went out (the rest of a garbled reply, a reply
        // repeated by a handheld that got tired of waiting) answers something
        // earlier.
        m_input.DiscardAll();
        Send(checksum);

        if (!WaitForBytes(1))
            return false;
        // Anything but ACK, NAK or not, sends the frame again at once.
        if (m_input.Read() == kAck)
            return true;
        if (!KeepGoing())
            return false;
    }
}

// A frame that the sender repeats because it missed our ACK of the last frame
// of the previous packet: taken whole and acknowledged again. False (with the
// bytes given back) when what starts with SOH is something else.
bool LinkProtocol::SkipRepeatedLastFrame() {
    if (!m_lastBlock || !WaitForBytesAtMost(2, kLengthWaitMs))
        return false;
    std::uint8_t block = m_input.Read();
    std::uint8_t complement = m_input.Read();
    if (block != *m_lastBlock || static_cast<std::uint8_t>(block + complement) != 0xFF) {
        m_input.PutBack(complement);
        m_input.PutBack(block);
        return false;
    }
    if (!WaitForBytes(m_lastFrameLength + 1))
        return false;
    for (int i = 0; i < m_lastFrameLength + 1; ++i)
        m_input.Read();
    Send(kAck);
    return true;
}

std::optional<std::uint16_t> LinkProtocol::AwaitPacket() {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    for (;;) {
        // Step 1: the announce.
        if (!WaitForBytes(1))
            return std::nullopt;
        std::uint8_t byte = m_input.Read();
        if (byte == kSoh) {
            SkipRepeatedLastFrame();
            continue;
        }
        if (byte != kAnnounce)
            continue;

        bool announced = true;
        for (;;) {
            // Step 2: the length, read only right after an announce byte, when
            // it may still be on its way. A byte that does not come keeps the
            // value before. On a repeat of the echo, what arrives meanwhile is
            // the sender's answer and is left for step 5.
            if (announced) {
                WaitForBytesAtMost(2, kLengthWaitMs);
                if (m_input.Waiting() > 0)
                    low = m_input.Read();
                if (m_input.Waiting() > 0)
                    high = m_input.Read();
            }
            announced = false;
            // Step 3: the echo, repeated while the sender is silent.
            Send(kEcho);
            Send(low);
            Send(high);
            if (m_input.Waiting() == 0) {
                if (!KeepGoing())
                    return std::nullopt;
                continue;
            }
            byte = m_input.Read();
            if (byte == kGo) {
                m_lastBlock.reset();
                return static_cast<std::uint16_t>(high * 256 + low);
            }
            if (byte == kAnnounce) {
                announced = true;
                continue;
            }
            break; // something else: wait for an announce again
        }
    }
}

// Waits for `count` bytes; with `quietMs`, also gives up once the line has
// been quiet that long.
LinkProtocol::Arrival LinkProtocol::WaitForBytesOrQuiet(int count, std::optional<std::uint32_t> quietMs) {
    while (m_input.Waiting() < count) {
        if (quietMs && m_input.QuietMs() >= *quietMs)
            return Arrival::Quiet;
        if (!KeepGoing())
            return Arrival::Stopped;
    }
    return Arrival::Came;
}

// The waiting bytes start with frame `block` whose SOH or complement (not
// both) was damaged on the line, and it is whole: its data fits its checksum.
bool LinkProtocol::IsFrameWithDamagedHead(std::uint8_t block, int length, std::uint32_t quietMs, bool& stopped) {
    const bool sohFits = m_input.Peek(0) == kSoh;
    const bool complementFits = m_input.Peek(2) == static_cast<std::uint8_t>(0xFF - block);
    if (m_input.Peek(1) != block || sohFits == complementFits)
        return false;
    Arrival whole = WaitForBytesOrQuiet(length + kFrameOverhead, quietMs);
    stopped = whole == Arrival::Stopped;
    if (whole != Arrival::Came)
        return false;
    unsigned sum = 0;
    for (int i = 0; i < length; ++i)
        sum += m_input.Peek(3 + i);
    return static_cast<std::uint8_t>(sum) == m_input.Peek(3 + length);
}

bool LinkProtocol::ReceiveFrame(std::span<std::uint8_t> buffer, std::uint8_t block, std::uint8_t& marker,
                                const SectionNamed& sectionNamed) {
    const int length = static_cast<int>(buffer.size());
    // A sender waits for a reply to every frame. When what came makes no
    // frame and the line has fallen quiet, the frame will not come whole:
    // a NAK asks for it again.
    const std::uint32_t frameTimeMs = LineTimeMs(length + kFrameOverhead);
    bool skipped = false; // bytes went unanswered since our last reply
    auto askAgain = [&] {
        m_input.DiscardAll();
        if (!KeepGoing())
            return false;
        Send(kNak);
        skipped = false;
        return true;
    };
    std::vector<std::uint8_t> repeated(kFrameDataMax);
    for (;;) {
        const bool replyOwed = skipped || m_input.Waiting() > 0;
        Arrival head = WaitForBytesOrQuiet(3, replyOwed ? std::optional(frameTimeMs) : std::nullopt);
        if (head == Arrival::Stopped || (head == Arrival::Quiet && !askAgain()))
            return false;
        if (head == Arrival::Quiet)
            continue;
        // The frame's head: SOH, block number and its complement. Anything
        // else in front of it is noise and is skipped a byte at a time.
        bool stopped = false;
        const bool headFits =
            m_input.Peek(0) == kSoh && static_cast<std::uint8_t>(m_input.Peek(1) + m_input.Peek(2)) == 0xFF;
        if (!headFits && !IsFrameWithDamagedHead(block, length, frameTimeMs, stopped)) {
            if (stopped)
                return false;
            m_input.Read();
            skipped = true;
            continue;
        }
        // Any other block is one the sender repeats because our ACK did not
        // reach it: an earlier, full frame. It is taken whole.
        const bool expected = m_input.Peek(1) == block;
        std::span<std::uint8_t> target = expected ? buffer : std::span<std::uint8_t>(repeated);
        // A frame found only after skipping may be a piece of one: it is
        // waited for as long as the line keeps bringing bytes. Right after our
        // reply, the frame is waited for as long as it takes.
        const int whole = static_cast<int>(target.size()) + kFrameOverhead;
        Arrival rest = WaitForBytesOrQuiet(whole, skipped ? std::optional(frameTimeMs) : std::nullopt);
        if (rest == Arrival::Stopped || (rest == Arrival::Quiet && !askAgain()))
            return false;
        if (rest == Arrival::Quiet)
            continue;
        for (int i = 0; i < 3; ++i)
            m_input.Read();
        for (std::uint8_t& byte : target)
            byte = m_input.Read();
        std::uint8_t checksum = m_input.Read();
        if (!KeepGoing())
            return false;
        skipped = false;
        if (!expected) {
            Send(kAck);
            continue;
        }
        if (block == 1 && length >= 5) {
            marker = buffer[4];
            if (int named = SectionOfLetter(static_cast<char>(buffer[0])))
                sectionNamed(named);
        }
        if (checksum == Checksum(buffer)) {
            Send(kAck);
            m_lastBlock = block;
            m_lastFrameLength = length;
            return true;
        }
        Send(kNak);
    }
}
