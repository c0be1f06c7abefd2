// The far end of a serial line, as a test plays it: raw bytes in and out.
#pragma once

#include <string>

// Opens a terminal device non-blocking, without becoming its controlling
// process, and reads and writes it with the system calls directly.
class PtyEnd {
public:
    explicit PtyEnd(const std::string& device);
    ~PtyEnd();
    PtyEnd(const PtyEnd&) = delete;
    PtyEnd& operator=(const PtyEnd&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    bool Write(const std::string& bytes);
    // Reads until `count` bytes have come or the time runs out.
    std::string Read(size_t count, int timeoutMs);

private:
    int m_fd = -1;
};
