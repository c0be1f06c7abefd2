// The handheld's end of the link: sends a section when the PC downloads, takes what the PC uploads.
#include "handheld/HandheldMachine.h"

#include <algorithm>

namespace {

std::uint8_t Sum(const std::string& bytes) {
    unsigned sum = 0;
    for (char c : bytes)
        sum += static_cast<unsigned char>(c);
    return static_cast<std::uint8_t>(sum);
}

std::uint8_t At(const std::string& bytes, std::size_t index) { return static_cast<std::uint8_t>(bytes[index]); }

// The 16-bit length after an announce or echo byte, low byte first.
std::uint16_t LengthAfterFirst(const std::string& bytes) {
    return static_cast<std::uint16_t>(At(bytes, 1) | At(bytes, 2) << 8);
}

std::string LengthMessage(std::uint8_t first, std::uint16_t length) {
    return {static_cast<char>(first), static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)};
}

} // namespace

HandheldMachine::HandheldMachine(Options options, std::uint32_t nowMs)
    : m_options(std::move(options)), m_restFromMs(nowMs), m_restMs(m_options.startDelayMs), m_lastHeardMs(nowMs),
      m_lastInMs(nowMs), m_lastOutMs(nowMs), m_lastProgressMs(nowMs) {}

void HandheldMachine::SetSection(char letter, std::string bytes) { m_sections[letter] = std::move(bytes); }

const std::string* HandheldMachine::Section(char letter) const {
    auto found = m_sections.find(letter);
    return found == m_sections.end() ? nullptr : &found->second;
}

bool HandheldMachine::CanSend() const {
    if (!m_options.sendLetter)
        return false;
    const std::string* section = Section(*m_options.sendLetter);
    return section && SplitPackets(*section).has_value();
}

int HandheldMachine::FrameLength(int block) const {
    return std::min(kFrameDataMax, static_cast<int>(m_length) - (block - 1) * kFrameDataMax);
}

int HandheldMachine::ExpectedFrameLength() const {
    if (m_state == State::ReceivingFrames || (m_state == State::Echoed && m_length > 0))
        return FrameLength(m_state == State::Echoed ? 1 : m_block);
    return 0;
}

void HandheldMachine::OnByte(std::uint8_t byte, std::uint32_t nowMs) {
    m_lastHeardMs = nowMs;
    // Half duplex: what comes in while a frame or an announce is still going
    // out is an echo or a reply that belongs to an earlier message.
    if ((m_state == State::Announcing || m_state == State::SendingFrame) && !m_out.empty())
        return;
    if (m_state == State::AfterGo)
        return;
    m_in.push_back(static_cast<char>(byte));
    m_lastInMs = nowMs;
    if (m_state == State::ReceivingFrames)
        m_unanswered = true;
    Parse(nowMs);
}

void HandheldMachine::Parse(std::uint32_t nowMs) {
    for (;;) {
        if (m_in.empty())
            return;
        bool progressed = false;
        switch (m_state) {
        case State::Idle:
        case State::BetweenPackets:
            progressed = ParseIdle(nowMs);
            break;
        case State::Announcing:
            progressed = ParseAnnouncing(nowMs);
            break;
        case State::SendingFrame:
            progressed = ParseSendingFrame(nowMs);
            break;
        case State::AfterGo:
            m_in.clear();
            break;
        case State::Echoed:
            progressed = ParseEchoed(nowMs);
            break;
        case State::ReceivingFrames:
            progressed = ParseFrames(nowMs);
            break;
        }
        if (!progressed)
            return;
    }
}

HandheldMachine::Parsed HandheldMachine::TakeAnnounce(std::uint32_t nowMs) {
    if (!m_options.receive)
        return Parsed::NotThis;
    if (m_in.size() < 3)
        return Parsed::NeedMore;
    const std::uint16_t length = LengthAfterFirst(m_in);
    if (length > m_options.maxPacketLength) {
        Report(HandheldEventKind::AnnounceRefused, nowMs, 0, length);
        return Parsed::NotThis;
    }
    m_in.erase(0, 3);
    Receive(length, nowMs);
    return Parsed::Consumed;
}

bool HandheldMachine::ParseIdle(std::uint32_t nowMs) {
    const std::uint8_t first = At(m_in, 0);
    if (first == kAnnounce) {
        if (Parsed parsed = TakeAnnounce(nowMs); parsed != Parsed::NotThis)
            return parsed == Parsed::Consumed; // more bytes are needed when it is not
    } else if (first == kSoh && m_lastFrame) {
        // The PC missed the ACK of a packet's last frame and sends that frame
        // again: it must be taken whole (its data may hold an announce byte)
        // and acknowledged, or the PC never moves on.
        const std::uint8_t block = m_lastFrame->block;
        if (m_in.size() < 2)
            return false;
        if (At(m_in, 1) == block) {
            if (m_in.size() < 3)
                return false;
            if (At(m_in, 2) == 0xFF - block) {
                const std::size_t whole = 4 + static_cast<std::size_t>(m_lastFrame->length);
                if (m_in.size() < whole)
                    return false;
                m_in.erase(0, whole);
                Reply(kAck, nowMs);
                Report(HandheldEventKind::RepeatAcked, nowMs, block);
                return true;
            }
        }
    }
    m_in.erase(0, 1);
    return true;
}

bool HandheldMachine::ParseAnnouncing(std::uint32_t nowMs) {
    const std::uint8_t first = At(m_in, 0);
    if (first == kEcho) {
        if (m_in.size() < 3)
            return false;
        const std::uint16_t echoed = LengthAfterFirst(m_in);
        if (echoed == m_length) {
            m_in.erase(0, 3);
            SendGo(nowMs);
            return true;
        }
        Report(HandheldEventKind::WrongEcho, nowMs, 0, echoed);
    } else if (first == kAnnounce) {
        // The PC announces too: it wants to upload, and the offer waits.
        if (Parsed parsed = TakeAnnounce(nowMs); parsed != Parsed::NotThis)
            return parsed == Parsed::Consumed; // more bytes are needed when it is not
    }
    // Only the first byte goes: a damaged echo may hide the start of a good one.
    m_in.erase(0, 1);
    return true;
}

bool HandheldMachine::ParseSendingFrame(std::uint32_t nowMs) {
    const std::uint8_t first = At(m_in, 0);
    if (first == kAck) {
        m_in.erase(0, 1);
        Report(HandheldEventKind::AckReceived, nowMs, m_block);
        FrameAcknowledged(nowMs);
        return true;
    }
    if (first == kNak) {
        m_in.erase(0, 1);
        Report(HandheldEventKind::NakReceived, nowMs, m_block);
        SendFrame(nowMs);
        return true;
    }
    if (first == kEcho) {
        // A correct echo now may be one that was on its way when the go byte
        // left, or the PC never saw the go byte and is still in its
        // handshake. Only the missing reply tells; see OnTime().
        if (m_in.size() < 3)
            return false;
        const std::uint16_t echoed = LengthAfterFirst(m_in);
        if (echoed == m_length) {
            m_in.erase(0, 3);
            m_echoAfterGo = true;
            return true;
        }
    }
    // Neither ACK nor NAK: the frame goes again at once, whatever may follow.
    Report(HandheldEventKind::BadReply, nowMs, m_block);
    SendFrame(nowMs);
    return true;
}

bool HandheldMachine::ParseEchoed(std::uint32_t nowMs) {
    const std::uint8_t first = At(m_in, 0);
    if (first == kGo) {
        m_in.erase(0, 1);
        Report(HandheldEventKind::GoReceived, nowMs);
        StartPacket(nowMs);
        return true;
    }
    if (first == kAnnounce) {
        if (Parsed parsed = TakeAnnounce(nowMs); parsed != Parsed::NotThis)
            return parsed == Parsed::Consumed; // more bytes are needed when it is not
    } else if (first == kSoh && m_length > 0) {
        // The go byte was lost, but the PC has begun the first frame: it took
        // our echo, so the handshake is over.
        if (m_in.size() < 3)
            return false;
        if (At(m_in, 1) == 0x01 && At(m_in, 2) == 0xFE) {
            Report(HandheldEventKind::GoReceived, nowMs);
            StartPacket(nowMs);
            return true;
        }
    }
    m_in.erase(0, 1);
    return true;
}

bool HandheldMachine::ParseFrames(std::uint32_t nowMs) {
    // Resynchronises on SOH, a block number it can use and its complement; a
    // byte that cannot start such a frame is noise.
    if (At(m_in, 0) != kSoh) {
        m_in.erase(0, 1);
        return true;
    }
    if (m_in.size() < 2)
        return false;
    const std::uint8_t block = At(m_in, 1);
    const bool expected = block == static_cast<std::uint8_t>(m_block);
    // Every frame before the expected one was full, so a repeat of the
    // previous one carries 128 bytes even when the expected one is shorter.
    const bool repeat = m_block > 1 && block == static_cast<std::uint8_t>(m_block - 1);
    if (!expected && !repeat) {
        m_in.erase(0, 1);
        return true;
    }
    if (m_in.size() < 3)
        return false;
    if (At(m_in, 2) != 0xFF - block) {
        m_in.erase(0, 1);
        return true;
    }
    const int length = expected ? FrameLength(m_block) : kFrameDataMax;
    const std::size_t whole = 4 + static_cast<std::size_t>(length);
    if (m_in.size() < whole)
        return false;
    const std::string data = m_in.substr(3, static_cast<std::size_t>(length));
    const std::uint8_t checksum = At(m_in, whole - 1);
    m_in.erase(0, whole);
    m_lastProgressMs = nowMs;
    if (repeat) {
        Reply(kAck, nowMs);
        Report(HandheldEventKind::RepeatAcked, nowMs, block);
        return true;
    }
    if (Sum(data) != checksum) {
        Reply(kNak, nowMs);
        Report(HandheldEventKind::BadChecksum, nowMs, m_block);
        return true;
    }
    m_packetBytes += data;
    Reply(kAck, nowMs);
    Report(HandheldEventKind::FrameAccepted, nowMs, m_block, length);
    ++m_block;
    if (m_packetBytes.size() >= m_length)
        PacketReceived(nowMs);
    return true;
}

void HandheldMachine::OnTime(std::uint32_t nowMs) {
    const HandheldTiming& timing = m_options.timing;
    const bool quiet = m_out.empty();
    // Pieces of a message whose rest never came are dropped once the line
    // has been quiet a while, so that they cannot swallow the next message.
    if (m_state != State::ReceivingFrames && !m_in.empty() && nowMs - m_lastInMs >= timing.frameGapMs)
        m_in.clear();
    if ((m_state == State::ReceivingFrames || m_state == State::BetweenPackets || m_state == State::Idle) &&
        m_lastReply && quiet && m_in.empty() && m_replyRepeats < kReplyRepeats &&
        nowMs - m_lastOutMs >= timing.replyTimeoutMs && nowMs - m_lastHeardMs >= timing.replyTimeoutMs) {
        // The PC waits for ever for a reply that the line swallowed; after a
        // quiet second the reply goes again. A PC that did get it has gone
        // on and sent something since, so it never sees a repeat.
        ++m_replyRepeats;
        Queue(*m_lastReply == kAck ? MessageKind::Ack : MessageKind::Nak,
              std::string(1, static_cast<char>(*m_lastReply)));
        Report(HandheldEventKind::ReplyRepeated, nowMs, m_block);
    }
    switch (m_state) {
    case State::Idle:
        if (m_lastFrame && nowMs - m_lastFrame->atMs >= timing.repeatMemoryMs)
            m_lastFrame.reset();
        if (quiet && m_in.empty() && !m_sendFinished && nowMs - m_restFromMs >= m_restMs && CanSend())
            StartSending(nowMs);
        break;
    case State::Announcing:
        if (m_packet > 0 && nowMs - m_lastHeardMs >= timing.abandonMs)
            Abandon(nowMs);
        else if (quiet && nowMs - m_lastOutMs >= timing.reannounceMs)
            Announce(nowMs);
        break;
    case State::SendingFrame:
        if (quiet && nowMs - m_lastHeardMs >= timing.abandonMs) {
            Abandon(nowMs);
        } else if (quiet && nowMs - m_lastOutMs >= timing.replyTimeoutMs) {
            Report(HandheldEventKind::NoReply, nowMs, m_block);
            // Echoes and no reply: the PC is still in its handshake, so the
            // go byte goes again and the packet starts over.
            if (m_echoAfterGo)
                SendGo(nowMs);
            else
                SendFrame(nowMs);
        }
        break;
    case State::AfterGo:
        if (quiet && nowMs - m_lastOutMs >= timing.afterGoMs) {
            m_in.clear();
            PacketSent(nowMs);
        }
        break;
    case State::Echoed:
    case State::BetweenPackets:
        if (nowMs - m_lastHeardMs >= timing.abandonMs)
            Abandon(nowMs);
        break;
    case State::ReceivingFrames:
        if (nowMs - m_lastProgressMs >= timing.abandonMs) {
            Abandon(nowMs);
        } else if (m_unanswered && quiet && nowMs - m_lastInMs >= timing.frameGapMs) {
            // Bytes were lost: the PC waits for a reply to a frame that will
            // never be complete here.
            m_in.clear();
            Reply(kNak, nowMs);
            Report(HandheldEventKind::FrameIncomplete, nowMs, m_block);
        }
        break;
    }
}

OutByte HandheldMachine::TakeOutput(std::uint32_t nowMs) {
    OutByte byte = m_out.front();
    m_out.pop_front();
    m_lastOutMs = nowMs;
    ++m_bytesTaken;
    return byte;
}

void HandheldMachine::StartSending(std::uint32_t nowMs) {
    m_sending = *Section(*m_options.sendLetter);
    m_packets = *SplitPackets(m_sending);
    m_packet = 0;
    m_in.clear();
    m_lastHeardMs = nowMs;
    m_lastReply.reset();
    Announce(nowMs);
}

void HandheldMachine::Announce(std::uint32_t nowMs) {
    m_length = static_cast<std::uint16_t>(m_packets[static_cast<std::size_t>(m_packet)].length);
    Queue(MessageKind::Announce, LengthMessage(kAnnounce, m_length));
    Report(HandheldEventKind::Announced, nowMs, 0, m_length);
    Enter(State::Announcing);
}

void HandheldMachine::SendGo(std::uint32_t nowMs) {
    Report(HandheldEventKind::GoSent, nowMs);
    Queue(MessageKind::Go, std::string(1, static_cast<char>(kGo)));
    m_block = 1;
    m_frame.clear();
    m_echoAfterGo = false;
    if (m_length > 0) {
        SendFrame(nowMs);
    } else {
        // No frame follows: the PC's last echoes are still on their way and
        // must not be read as a reply to the next announce.
        Enter(State::AfterGo);
    }
}

void HandheldMachine::SendFrame(std::uint32_t nowMs) {
    if (m_frame.empty()) {
        const PacketSpan& packet = m_packets[static_cast<std::size_t>(m_packet)];
        const int length = FrameLength(m_block);
        const std::string data = m_sending.substr(packet.offset + static_cast<std::size_t>(m_block - 1) * kFrameDataMax,
                                                  static_cast<std::size_t>(length));
        const std::uint8_t block = static_cast<std::uint8_t>(m_block);
        m_frame = {static_cast<char>(kSoh), static_cast<char>(block), static_cast<char>(0xFF - block)};
        m_frame += data;
        m_frame += static_cast<char>(Sum(data));
    }
    Queue(MessageKind::Frame, m_frame);
    Report(HandheldEventKind::FrameSent, nowMs, m_block, static_cast<int>(m_frame.size()) - 4);
    m_in.clear();
    Enter(State::SendingFrame);
}

void HandheldMachine::FrameAcknowledged(std::uint32_t nowMs) {
    m_frame.clear();
    if (m_block * kFrameDataMax >= m_length) {
        PacketSent(nowMs);
        return;
    }
    ++m_block;
    SendFrame(nowMs);
}

void HandheldMachine::PacketSent(std::uint32_t nowMs) {
    const PacketSpan& packet = m_packets[static_cast<std::size_t>(m_packet)];
    ++m_packet;
    HandheldEvent event{nowMs, HandheldEventKind::PacketSent, m_packet, 0, m_length, 0};
    if (m_observer)
        m_observer(event);
    if (!packet.last) {
        Announce(nowMs);
        return;
    }
    CompletedTransfer transfer{false, m_sending.empty() ? '\0' : m_sending[0], m_sending, nowMs};
    m_transfers.push_back(transfer);
    Report(HandheldEventKind::SectionSent, nowMs, 0, static_cast<int>(m_sending.size()), transfer.letter);
    if (!m_options.sendRepeatedly)
        m_sendFinished = true;
    GoIdle(nowMs);
}

void HandheldMachine::Receive(std::uint16_t length, std::uint32_t nowMs) {
    // Whatever the handheld was offering or repeating waits; a message
    // already on the line is finished first, so the PC never sees half of one.
    DropUnstartedOutput();
    if (m_state != State::Echoed && m_state != State::BetweenPackets) {
        m_transferBytes.clear();
        m_transferLetter = 0;
        m_packet = 0;
        m_lastFrame.reset();
    }
    m_length = length;
    m_lastReply.reset();
    Queue(MessageKind::Echo, LengthMessage(kEcho, length));
    Report(HandheldEventKind::AnnounceReceived, nowMs, 0, length);
    Enter(State::Echoed);
}

void HandheldMachine::StartPacket(std::uint32_t nowMs) {
    m_block = 1;
    m_packetBytes.clear();
    m_unanswered = false;
    m_lastProgressMs = nowMs;
    Enter(State::ReceivingFrames);
    if (m_length == 0)
        PacketReceived(nowMs);
}

void HandheldMachine::PacketReceived(std::uint32_t nowMs) {
    if (m_transferLetter == 0 && !m_packetBytes.empty())
        m_transferLetter = m_packetBytes[0];
    m_transferBytes += m_packetBytes;
    Report(HandheldEventKind::PacketReceived, nowMs, 0, m_length);
    ++m_packet;
    if (m_length > 0)
        m_lastFrame = LastFrame{static_cast<std::uint8_t>(m_block - 1), FrameLength(m_block - 1), nowMs};
    else
        m_lastFrame.reset();
    // A packet shorter than its header cannot carry the marker: more must follow.
    const bool last = m_packetBytes.size() > 4 && m_packetBytes[4] == kLastPacketMarker;
    if (!last) {
        Enter(State::BetweenPackets);
        return;
    }
    m_sections[m_transferLetter] = m_transferBytes;
    m_transfers.push_back(CompletedTransfer{true, m_transferLetter, m_transferBytes, nowMs});
    Report(HandheldEventKind::SectionReceived, nowMs, 0, static_cast<int>(m_transferBytes.size()), m_transferLetter);
    GoIdle(nowMs);
}

void HandheldMachine::Reply(std::uint8_t byte, std::uint32_t /*nowMs*/) {
    Queue(byte == kAck ? MessageKind::Ack : MessageKind::Nak, std::string(1, static_cast<char>(byte)));
    m_unanswered = !m_in.empty();
    m_lastReply = byte;
    m_replyRepeats = 0;
}

void HandheldMachine::Abandon(std::uint32_t nowMs) {
    Report(HandheldEventKind::Abandoned, nowMs);
    m_in.clear();
    DropUnstartedOutput();
    m_lastFrame.reset();
    m_lastReply.reset();
    GoIdle(nowMs);
}

void HandheldMachine::GoIdle(std::uint32_t nowMs) {
    Enter(State::Idle);
    m_restFromMs = nowMs;
    m_restMs = m_options.restMs;
}

void HandheldMachine::Enter(State state) { m_state = state; }

void HandheldMachine::Queue(MessageKind kind, const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    for (int index = 0; index < length; ++index)
        m_out.push_back(
            OutByte{static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(index)]), kind, index, length});
}

void HandheldMachine::DropUnstartedOutput() {
    auto firstUnstarted = std::find_if(m_out.begin(), m_out.end(), [](const OutByte& byte) { return byte.index == 0; });
    m_out.erase(firstUnstarted, m_out.end());
}

void HandheldMachine::Report(HandheldEventKind kind, std::uint32_t nowMs, int block, int length, char letter) {
    if (!m_observer)
        return;
    m_observer(HandheldEvent{nowMs, kind, m_packet + 1, block, length, letter});
}
