// A COM port as the link uses it: opened by number, read and written a byte at a time, writes paced.
#include "link/ComPort.h"

#include "link/ComDeviceName.h"

#include <utility>

ComPort::ComPort(SerialDeviceOpener opener, LinkClock& clock) : m_opener(std::move(opener)), m_clock(clock) {}

ComPort::~ComPort() { Close(); }

bool ComPort::Open(int number) { return OpenDevice(ComDeviceName(number)); }

bool ComPort::OpenDevice(const std::string& deviceName) {
    // The device may be the one that is open now: it has to be released before
    // it can be opened again, exclusively.
    Close();
    if (!m_opener)
        return false;
    m_device = m_opener(deviceName);
    if (!m_device)
        return false;
    // A device whose settings cannot be read is still used as it is; the
    // handheld's checksums show soon enough whether the line works.
    m_device->ConfigureLine();
    return true;
}

void ComPort::Close() { m_device.reset(); }

int ComPort::BytesWaiting() {
    if (!m_device)
        return 0;
    int count = m_device->BytesWaiting();
    return count > 0 ? count : 0;
}

unsigned char ComPort::ReadByte() {
    unsigned char byte = 0;
    if (BytesWaiting() > 0 && !m_device->ReadByte(byte))
        byte = 0;
    return byte;
}

void ComPort::WriteByte(unsigned char byte) {
    if (m_device)
        m_device->WriteByte(byte);
    Wait(kPauseAfterWriteMs);
}

void ComPort::Wait(std::uint32_t ms) {
    // Elapsed time in unsigned arithmetic, so a wrap of the counter neither
    // cuts a pause short nor makes it endless.
    const std::uint32_t start = m_clock.NowMs();
    for (;;) {
        std::uint32_t elapsed = m_clock.NowMs() - start;
        if (elapsed >= ms)
            return;
        m_clock.SleepMs(ms - elapsed);
    }
}
