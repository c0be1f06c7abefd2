// A serial device opened raw with the system calls, as the stand-alone handheld uses it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Non-blocking, no echo, no translation of any byte, 2400 baud 8N1 (which a
// pseudo-terminal ignores; the handheld paces itself).
class TerminalLine {
public:
    explicit TerminalLine(const std::string& device);
    ~TerminalLine();
    TerminalLine(const TerminalLine&) = delete;
    TerminalLine& operator=(const TerminalLine&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& Error() const { return m_error; }
    // Waits until input is there or the time is up; false when the line is gone.
    bool WaitForInput(std::uint32_t microseconds);
    // Everything received so far; false when the line is gone.
    bool Read(std::vector<std::uint8_t>& bytes);
    bool Write(const std::uint8_t* bytes, std::size_t count);

private:
    int m_fd = -1;
    std::string m_error;
};
