// A line whose other end is a script.
#include "ScriptedLine.h"

void ScriptedLine::Arrive(const std::vector<std::uint8_t>& bytes, std::uint32_t delayMs, std::uint32_t spacingMs) {
    std::uint32_t at = m_clock.NowMs() + delayMs;
    if (!m_incoming.empty())
        at = std::max(at, m_incoming.back().first);
    for (std::uint8_t byte : bytes) {
        m_incoming.emplace_back(at, byte);
        at += spacingMs;
    }
}

int ScriptedLine::BytesWaiting() {
    int count = 0;
    for (const auto& [at, byte] : m_incoming) {
        if (at > m_clock.NowMs())
            break;
        ++count;
    }
    return count;
}

unsigned char ScriptedLine::ReadByte() {
    if (BytesWaiting() == 0)
        return 0;
    std::uint8_t byte = m_incoming.front().second;
    m_incoming.pop_front();
    return byte;
}

void ScriptedLine::WriteByte(unsigned char byte) {
    written.push_back(byte);
    m_clock.SleepMs(8); // the port's pacing
    if (onWrite)
        onWrite(byte);
}

std::vector<std::uint8_t> FrameBytes(std::uint8_t block, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> frame{0x01, block, static_cast<std::uint8_t>(0xFF - block)};
    unsigned sum = 0;
    for (std::uint8_t byte : data) {
        frame.push_back(byte);
        sum += byte;
    }
    frame.push_back(static_cast<std::uint8_t>(sum));
    return frame;
}
