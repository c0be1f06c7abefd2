// A line whose other end is a script: bytes arrive at given virtual times, and
// the script may answer what the PC writes.
#pragma once

#include "link/LinkClock.h"
#include "link/LinkHost.h"
#include "link/SerialLine.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class ScriptedLine : public SerialLine {
public:
    explicit ScriptedLine(VirtualLinkClock& clock) : m_clock(clock) {}

    // Queues bytes from the other end, the first at `delayMs` from now, the
    // others `spacingMs` apart (4 ms is a 2400-baud line).
    void Arrive(const std::vector<std::uint8_t>& bytes, std::uint32_t delayMs = 0, std::uint32_t spacingMs = 0);

    // Called for every byte the PC writes, after it joined `written`.
    std::function<void(std::uint8_t)> onWrite;
    std::vector<std::uint8_t> written;

    int BytesWaiting() override;
    unsigned char ReadByte() override;
    void WriteByte(unsigned char byte) override;

private:
    VirtualLinkClock& m_clock;
    std::deque<std::pair<std::uint32_t, std::uint8_t>> m_incoming;
};

// A host whose STOP button is pressed after a given number of looks.
class ScriptedHost : public LinkHost {
public:
    void DispatchMessages() override { ++m_dispatched; }
    bool StopRequested() override { return m_stopAfter >= 0 && m_dispatched > m_stopAfter; }
    void StopAfter(int dispatches) { m_stopAfter = m_dispatched + dispatches; }

private:
    int m_dispatched = 0;
    int m_stopAfter = -1;
};

// A frame as the protocol puts it on the line.
std::vector<std::uint8_t> FrameBytes(std::uint8_t block, const std::vector<std::uint8_t>& data);
