// The system's serial devices, driven through Qt SerialPort.
#include "link/QtSerialDevice.h"

#include <climits>

#ifndef _WIN32
#include <sys/file.h>
#endif

namespace {

// Handing one byte to the driver takes no time on a healthy line (there is no
// flow control to hold it back); this only bounds a write to a line that has
// stopped taking bytes.
constexpr int kWriteTimeoutMs = 100;

} // namespace

std::unique_ptr<SerialDevice> QtSerialDevice::Open(const std::string& deviceName) {
    if (deviceName.empty())
        return nullptr;
    std::unique_ptr<QtSerialDevice> device(new QtSerialDevice);
    device->m_port.setPortName(QString::fromLocal8Bit(deviceName.data(), static_cast<qsizetype>(deviceName.size())));
    // Opening applies Qt's raw mode and its flow control, none. A Windows port
    // driver carries bytes unchanged without flow control too; a Unix terminal
    // left as its driver has it would echo, translate line ends and swallow the
    // XON/XOFF bytes that occur in packets.
    if (!device->m_port.open(QIODevice::ReadWrite))
        return nullptr;
#ifndef _WIN32
    // Windows refuses a second open of a port by itself. Here the lock file of
    // Qt and the terminal's exclusive mode do not stop a privileged user nor a
    // second open from the same process, so the open file takes a lock too.
    if (flock(static_cast<int>(device->m_port.handle()), LOCK_EX | LOCK_NB) != 0)
        return nullptr;
#endif
    return device;
}

QtSerialDevice::~QtSerialDevice() = default;

bool QtSerialDevice::ConfigureLine() {
    // Qt has already read the line settings while opening (the open fails when
    // it cannot), so here they can always be changed.
    if (!Usable())
        return false;
    m_port.setBaudRate(2400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clear(QSerialPort::Output);
    m_port.clear(QSerialPort::Input);
    return true;
}

int QtSerialDevice::BytesWaiting() {
    if (!Usable())
        return 0;
    // Qt moves received bytes into its buffer only when an event loop sees
    // them or when asked; the link polls, so ask for whatever the driver holds.
    m_port.waitForReadyRead(0);
    if (!Usable())
        return 0;
    qint64 count = m_port.bytesAvailable();
    return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

bool QtSerialDevice::ReadByte(unsigned char& byte) {
    char received = 0;
    if (!Usable() || m_port.bytesAvailable() <= 0 || !m_port.getChar(&received))
        return false;
    byte = static_cast<unsigned char>(received);
    return true;
}

bool QtSerialDevice::WriteByte(unsigned char byte) {
    if (!Usable())
        return false;
    if (!m_port.putChar(static_cast<char>(byte)))
        return false;
    bool written = m_port.waitForBytesWritten(kWriteTimeoutMs);
    return Usable() && written;
}

// A device that has gone away (an adapter pulled out, the other end of a
// pseudo-terminal closed) reports it through a read or write error. It is closed
// at once, so that its handle is released and every later call returns at once.
bool QtSerialDevice::Usable() {
    if (m_port.isOpen()) {
        QSerialPort::SerialPortError error = m_port.error();
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError || error == QSerialPort::WriteError)
            m_port.close();
    }
    return m_port.isOpen();
}

ComPort& SystemComPort() {
    static ComPort port(&QtSerialDevice::Open, SystemClock());
    return port;
}
