// The PC's side of the link played as plainly as it is described, to check the simulated handheld against.
#pragma once

#include "link/ComPort.h"

#include <cstdint>
#include <optional>
#include <string>

// No tolerance of its own beyond what the PC is described to have (except
// waiting for an announce's length bytes, without which no receiver gets in
// step with a handheld that sends at line rate), so a
// transfer that completes shows that the handheld kept both sides in step.
// Every wait polls once a millisecond and gives up when the time budget is
// spent, where the real PC would wait for STOP.
class LiteralPc {
public:
    LiteralPc(ComPort& port, std::uint32_t budgetMs);

    // A whole section from the handheld, or nothing when time ran out.
    std::optional<std::string> Download();
    // Sends a section file; false when time ran out.
    bool Upload(const std::string& file);

private:
    bool TimeLeft();
    bool WaitFor(int count);
    std::optional<std::uint16_t> ReceiverHandshake();
    bool ReceiveFrame(int length, std::uint8_t block, std::string& packet, char& marker);
    bool SenderHandshake(std::uint16_t length);
    bool SendFrame(const std::string& data, std::uint8_t block);

    ComPort& m_port;
    std::uint32_t m_start;
    std::uint32_t m_budgetMs;
    std::uint8_t m_low = 0;
    std::uint8_t m_high = 0;
};
