// An open serial device as the port layer drives it, and how one is opened.
#pragma once

#include <functional>
#include <memory>
#include <string>

// One open device; destroying it closes it. Every call must return at once,
// also after the device has gone away (an adapter pulled out): then nothing is
// waiting, reads and writes fail, and the object only waits to be destroyed.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Sets the handheld's line (2400 baud, 8 data bits, no parity, one stop
    // bit), raises DTR, then RTS, then discards the output queue and then the
    // input queue. False when the current line settings could not be read; the
    // device is then left exactly as it was opened.
    virtual bool ConfigureLine() = 0;
    virtual int BytesWaiting() = 0;
    // Never waits: false unless a received byte was taken.
    virtual bool ReadByte(unsigned char& byte) = 0;
    virtual bool WriteByte(unsigned char byte) = 0;
    // True once the device has gone away; it does not come back.
    virtual bool Vanished() { return false; }
};

// Opens the named device exclusively, or gives nothing when it cannot.
using SerialDeviceOpener = std::function<std::unique_ptr<SerialDevice>(const std::string& deviceName)>;
