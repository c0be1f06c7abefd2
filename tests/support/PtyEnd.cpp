// The far end of a serial line, as a test plays it: raw bytes in and out.
#include "support/PtyEnd.h"

#include "support/PollUntil.h"

#include <fcntl.h>

PtyEnd::PtyEnd(const std::string& device) : m_fd(open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}

PtyEnd::~PtyEnd() {
    if (m_fd >= 0)
        close(m_fd);
}

// A terminal takes a few kilobytes at once, more than a test writes.
bool PtyEnd::Write(const std::string& bytes) {
    return m_fd >= 0 && write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string PtyEnd::Read(size_t count, int timeoutMs) {
    std::string bytes;
    ReadUntil(
        m_fd, bytes, [&] { return count - bytes.size(); }, timeoutMs);
    return bytes;
}
