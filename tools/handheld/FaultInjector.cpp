// Stands between the handheld and its line and spoils bytes both ways as a fault plan asks.
#include "handheld/FaultInjector.h"

namespace {

// A garbled ACK: one bit flipped, so it is neither ACK nor NAK.
constexpr std::uint8_t kGarbledAck = kAck ^ 0x80;
// The XOR mask that damages a data byte; any non-zero mask changes the sum
// of the frame's data, so the checksum can never fit by chance.
constexpr std::uint8_t kDamage = 0x5A;
// The PC paces its bytes 8 ms apart; a longer pause starts a new message
// even when the handheld has said nothing in between (the go byte and the
// first frame, 60 ms later).
constexpr std::uint32_t kMessageGapMs = 40;

bool IsReply(MessageKind kind) {
    return kind == MessageKind::Echo || kind == MessageKind::Ack || kind == MessageKind::Nak;
}

} // namespace

FaultInjector::FaultInjector(HandheldMachine& machine, FaultPlan plan)
    : m_machine(machine), m_plan(std::move(plan)), m_random(m_plan.seed) {}

std::optional<std::uint8_t> FaultInjector::NextToPc(std::uint32_t nowMs) {
    for (;;) {
        if (!m_ready.empty()) {
            std::uint8_t byte = m_ready.front();
            m_ready.pop_front();
            return byte;
        }
        if (m_held) {
            if (nowMs - m_heldSinceMs < m_plan.lateEchoMs)
                return std::nullopt;
            std::uint8_t byte = *m_held;
            m_held.reset();
            return byte;
        }
        if (!m_machine.HasOutput())
            return std::nullopt;
        OutByte out = m_machine.TakeOutput(nowMs);
        const bool noiseAhead = out.index == 0 && StartOutgoingMessage(out, nowMs);
        if (m_silent) {
            ++m_counters.silencedBytes;
            continue;
        }
        std::uint8_t byte = out.byte;
        if (out.kind == MessageKind::Frame && out.index == m_dropIndexOut) {
            ++m_counters.fromHandheld.droppedBytes;
            continue;
        }
        if (out.kind == MessageKind::Frame && out.index == m_corruptIndexOut) {
            byte ^= kDamage;
            ++m_counters.fromHandheld.corruptedFrames;
        }
        if (out.kind == MessageKind::Frame && out.index == m_headIndexOut) {
            byte ^= kDamage;
            ++m_counters.fromHandheld.corruptedHeads;
        }
        if (out.kind == MessageKind::Ack && m_loseAckOut) {
            ++m_counters.fromHandheld.lostAcks;
            continue;
        }
        if (out.kind == MessageKind::Ack && m_garbleAckOut) {
            byte = kGarbledAck;
            ++m_counters.fromHandheld.garbledAcks;
        }
        if (out.kind == MessageKind::Echo && out.index == 0 && Hits(m_plan.lateEcho, m_echoesOut, m_random)) {
            ++m_counters.lateEchoes;
            m_held = byte;
            m_heldSinceMs = nowMs;
            continue;
        }
        if (noiseAhead) {
            m_ready.push_back(byte); // behind its noise
            continue;
        }
        return byte;
    }
}

bool FaultInjector::StartOutgoingMessage(const OutByte& first, std::uint32_t nowMs) {
    ++m_messagesOut;
    if ((m_plan.silentFromMessage && m_messagesOut >= *m_plan.silentFromMessage) ||
        (m_plan.silentFromMs && nowMs >= *m_plan.silentFromMs))
        m_silent = true;
    if (m_silent)
        return false;
    const DirectionFaults& faults = m_plan.fromHandheld;
    m_corruptIndexOut = -1;
    m_headIndexOut = -1;
    m_dropIndexOut = -1;
    m_garbleAckOut = false;
    m_loseAckOut = false;
    const int dataLength = first.length - 4;
    if (first.kind == MessageKind::Frame) {
        ++m_framesOut;
        if (Hits(faults.corruptFrame, m_framesOut, m_random))
            m_corruptIndexOut = 3 + dataLength - 1; // the last data byte, past a first frame's packet header
        if (Hits(faults.dropByte, m_framesOut, m_random))
            m_dropIndexOut = 3 + dataLength / 2;
        if (Hits(faults.corruptSoh, m_framesOut, m_random))
            m_headIndexOut = 0;
        else if (Hits(faults.corruptComplement, m_framesOut, m_random))
            m_headIndexOut = 2;
    }
    if (first.kind == MessageKind::Ack) {
        ++m_acksOut;
        m_loseAckOut = Hits(faults.loseAck, m_acksOut, m_random);
        m_garbleAckOut = !m_loseAckOut && Hits(faults.garbleAck, m_acksOut, m_random);
    }
    if (first.kind == MessageKind::Echo)
        ++m_echoesOut;
    if (IsReply(first.kind)) {
        ++m_repliesOut;
        if (Hits(faults.noise, m_repliesOut, m_random)) {
            ++m_counters.fromHandheld.noiseBursts;
            for (int i = 0; i < faults.noiseBytes; ++i) {
                m_ready.push_back(m_random.NoiseByte());
                ++m_counters.fromHandheld.noiseBytes;
            }
            return faults.noiseBytes > 0;
        }
    }
    return false;
}

void FaultInjector::FromPc(std::uint8_t byte, std::uint32_t nowMs) {
    const bool newMessage =
        !m_anyFromPc || m_machine.BytesTaken() != m_takenAtLastFromPc || nowMs - m_lastFromPcMs >= kMessageGapMs;
    m_anyFromPc = true;
    m_takenAtLastFromPc = m_machine.BytesTaken();
    m_lastFromPcMs = nowMs;
    if (newMessage)
        StartIncomingMessage(byte);
    const int index = m_indexIn++;
    const DirectionFaults& faults = m_plan.fromPc;
    if (index == 0 && byte == kAck && m_machine.CurrentState() == HandheldMachine::State::SendingFrame) {
        ++m_acksIn;
        if (Hits(faults.loseAck, m_acksIn, m_random)) {
            ++m_counters.fromPc.lostAcks;
            return;
        }
        if (Hits(faults.garbleAck, m_acksIn, m_random)) {
            ++m_counters.fromPc.garbledAcks;
            byte = kGarbledAck;
        }
    }
    if (index == m_dropIndexIn) {
        ++m_counters.fromPc.droppedBytes;
        return;
    }
    if (index == m_corruptIndexIn) {
        ++m_counters.fromPc.corruptedFrames;
        byte ^= kDamage;
    }
    if (index == m_headIndexIn) {
        ++m_counters.fromPc.corruptedHeads;
        byte ^= kDamage;
    }
    m_machine.OnByte(byte, nowMs);
}

void FaultInjector::StartIncomingMessage(std::uint8_t first) {
    m_indexIn = 0;
    m_corruptIndexIn = -1;
    m_headIndexIn = -1;
    m_dropIndexIn = -1;
    const DirectionFaults& faults = m_plan.fromPc;
    const HandheldMachine::State state = m_machine.CurrentState();
    if (state == HandheldMachine::State::ReceivingFrames && first == kSoh) {
        ++m_framesIn;
        const int dataLength = m_machine.ExpectedFrameLength();
        if (dataLength > 0 && Hits(faults.corruptFrame, m_framesIn, m_random))
            m_corruptIndexIn = 3 + dataLength - 1;
        if (dataLength > 0 && Hits(faults.dropByte, m_framesIn, m_random))
            m_dropIndexIn = 3 + dataLength / 2;
        if (dataLength > 0 && Hits(faults.corruptSoh, m_framesIn, m_random))
            m_headIndexIn = 0;
        else if (dataLength > 0 && Hits(faults.corruptComplement, m_framesIn, m_random))
            m_headIndexIn = 2;
    }
    const bool reply = (state == HandheldMachine::State::Announcing && first == kEcho) ||
                       (state == HandheldMachine::State::SendingFrame && (first == kAck || first == kNak));
    if (reply) {
        ++m_repliesIn;
        if (Hits(faults.noise, m_repliesIn, m_random)) {
            ++m_counters.fromPc.noiseBursts;
            for (int i = 0; i < faults.noiseBytes; ++i) {
                ++m_counters.fromPc.noiseBytes;
                m_machine.OnByte(m_random.NoiseByte(), m_lastFromPcMs);
            }
        }
    }
}
