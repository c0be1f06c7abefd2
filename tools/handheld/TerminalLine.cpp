// A serial device opened raw with the system calls, as the stand-alone handheld uses it.
#include "TerminalLine.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

TerminalLine::TerminalLine(const std::string& device) {
    m_fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = device + ": " + std::strerror(errno);
        return;
    }
    termios settings{};
    if (tcgetattr(m_fd, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetispeed(&settings, B2400);
        cfsetospeed(&settings, B2400);
        settings.c_cflag |= CLOCAL | CREAD;
        settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
        settings.c_iflag &= ~(IXON | IXOFF | IXANY);
        settings.c_cc[VMIN] = 0;
        settings.c_cc[VTIME] = 0;
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    tcflush(m_fd, TCIOFLUSH);
}

TerminalLine::~TerminalLine() {
    if (m_fd >= 0)
        close(m_fd);
}

bool TerminalLine::WaitForInput(std::uint32_t microseconds) {
    pollfd fd{m_fd, POLLIN, 0};
    timespec timeout{static_cast<time_t>(microseconds / 1000000), static_cast<long>(microseconds % 1000000) * 1000};
    int ready = ppoll(&fd, 1, &timeout, nullptr);
    if (ready < 0)
        return errno == EINTR;
    // A pseudo-terminal whose other side has closed reports a hang-up while
    // socat still holds it, and that is not the end of the line; only a read
    // error is.
    return true;
}

bool TerminalLine::Read(std::vector<std::uint8_t>& bytes) {
    std::uint8_t buffer[512];
    for (;;) {
        ssize_t count = read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.insert(bytes.end(), buffer, buffer + count);
            continue;
        }
        if (count == 0)
            return true;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return true;
        m_error = std::strerror(errno);
        return false;
    }
}

bool TerminalLine::Write(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        ssize_t written = write(m_fd, bytes, count);
        if (written < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                pollfd fd{m_fd, POLLOUT, 0};
                poll(&fd, 1, 10);
                continue;
            }
            m_error = std::strerror(errno);
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}
