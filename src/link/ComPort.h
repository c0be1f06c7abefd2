// A COM port as the link uses it: opened by number, read and written a byte at a time, writes paced.
#pragma once

#include "link/LinkClock.h"
#include "link/SerialDevice.h"
#include "link/SerialLine.h"

#include <cstdint>
#include <memory>
#include <string>

// At most one device is open at a time. Every operation is harmless on a
// closed port, so the link never has to ask whether the port is open: nothing
// is waiting, a read gives 0, a write is dropped but still paced.
class ComPort final : public SerialLine {
public:
    ComPort(SerialDeviceOpener opener, LinkClock& clock);
    ~ComPort() override;
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    // Closes whatever is open, then opens and configures port `number` (1 for
    // COM1). True when a device is open afterwards, even if its line could
    // not be configured.
    bool Open(int number);
    // The same for a device named directly, as the Settings page tries one
    // before it is written to the profile.
    bool OpenDevice(const std::string& deviceName);
    void Close();
    bool IsOpen() const { return m_device != nullptr; }
    // The open device has gone away (an adapter pulled out): nothing will
    // come from it again.
    bool DeviceVanished() { return m_device && m_device->Vanished(); }

    int BytesWaiting() override;
    unsigned char ReadByte() override;
    // Writes the byte if the port is open, then always waits 8 ms: the handheld
    // cannot take bytes faster, and the line gives it no way to say so.
    void WriteByte(unsigned char byte) override;

    // Returns once at least `ms` milliseconds have passed on the port's clock.
    void Wait(std::uint32_t ms);
    LinkClock& Clock() { return m_clock; }

private:
    SerialDeviceOpener m_opener;
    LinkClock& m_clock;
    std::unique_ptr<SerialDevice> m_device;
};

inline constexpr std::uint32_t kPauseAfterWriteMs = 8;
