// The program's serial port replaced by one of the test's own for as long as the test runs.
#pragma once

#include "link/ProcessComPort.h"

#include <utility>

// While it lives, OpenComPort() and the other port functions use a port over
// the test's devices and the test's clock; afterwards the port is closed and
// the one installed before is back.
class ScopedComPort {
public:
    ScopedComPort(SerialDeviceOpener opener, LinkClock& clock)
        : m_port(std::move(opener), clock), m_pPrevious(InstallComPort(&m_port)) {}
    ~ScopedComPort() {
        m_port.Close();
        InstallComPort(m_pPrevious);
    }

    ComPort& Port() { return m_port; }

private:
    ComPort m_port;
    ComPort* m_pPrevious;
};
