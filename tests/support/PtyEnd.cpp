// The far end of a serial line, as a test plays it: raw bytes in and out.
#include "support/PtyEnd.h"

#include <algorithm>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

PtyEnd::PtyEnd(const std::string& device) : m_fd(open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}

PtyEnd::~PtyEnd() {
    if (m_fd >= 0)
        close(m_fd);
}

bool PtyEnd::Write(const std::string& bytes) {
    size_t done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        ssize_t count = write(m_fd, bytes.data() + done, bytes.size() - done);
        if (count < 0)
            return false;
        done += static_cast<size_t>(count);
    }
    return done == bytes.size();
}

std::string PtyEnd::Read(size_t count, int timeoutMs) {
    std::string bytes;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_fd >= 0 && bytes.size() < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd readable{m_fd, POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[256];
        ssize_t got = read(m_fd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
}
