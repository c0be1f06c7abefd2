// Stands between the handheld and its line and spoils bytes both ways as a fault plan asks.
#pragma once

#include "handheld/FaultPlan.h"
#include "handheld/HandheldMachine.h"

#include <cstdint>
#include <deque>
#include <optional>

// Both forms of the simulated handheld (in-process and on a real device) move
// every byte through here. Bytes towards the PC are judged by what the
// handheld says they are; bytes from the PC by the state the handheld is in
// when a message of the PC's begins.
class FaultInjector {
public:
    FaultInjector(HandheldMachine& machine, FaultPlan plan);

    // The next byte for the line towards the PC, if one may leave now.
    std::optional<std::uint8_t> NextToPc(std::uint32_t nowMs);
    // A byte that came from the PC: the handheld gets it, or what the faults make of it.
    void FromPc(std::uint8_t byte, std::uint32_t nowMs);

    const FaultCounters& Counters() const { return m_counters; }
    const FaultPlan& Plan() const { return m_plan; }

private:
    // True when noise goes out ahead of the message.
    bool StartOutgoingMessage(const OutByte& first, std::uint32_t nowMs);
    void StartIncomingMessage(std::uint8_t first);

    HandheldMachine& m_machine;
    FaultPlan m_plan;
    FaultRandom m_random;
    FaultCounters m_counters;

    // Towards the PC.
    std::deque<std::uint8_t> m_ready;
    std::optional<std::uint8_t> m_held; // a late echo's first byte
    std::uint32_t m_heldSinceMs = 0;
    bool m_silent = false;
    int m_messagesOut = 0;
    int m_framesOut = 0;
    int m_acksOut = 0;
    int m_repliesOut = 0;
    int m_echoesOut = 0;
    int m_corruptIndexOut = -1;
    int m_headIndexOut = -1;
    int m_dropIndexOut = -1;
    bool m_garbleAckOut = false;
    bool m_loseAckOut = false;

    // From the PC.
    bool m_anyFromPc = false;
    std::uint64_t m_takenAtLastFromPc = 0;
    std::uint32_t m_lastFromPcMs = 0;
    int m_indexIn = 0;
    int m_framesIn = 0;
    int m_acksIn = 0;
    int m_repliesIn = 0;
    int m_corruptIndexIn = -1;
    int m_headIndexIn = -1;
    int m_dropIndexIn = -1;
};
