// The system's serial devices, driven through Qt SerialPort.
#pragma once

#include "link/ComPort.h"
#include "link/SerialDevice.h"

#include <QSerialPort>

#include <memory>
#include <string>

// One system serial device. It is polled, never waited on: the link asks for
// waiting bytes in a loop of its own, with or without an event loop running.
class QtSerialDevice final : public SerialDevice {
public:
    // Exclusive: a device that this or another program has open gives nothing.
    static std::unique_ptr<SerialDevice> Open(const std::string& deviceName);
    ~QtSerialDevice() override;
    Q_DISABLE_COPY(QtSerialDevice)

    bool ConfigureLine() override;
    int BytesWaiting() override;
    bool ReadByte(unsigned char& byte) override;
    bool WriteByte(unsigned char byte) override;
    bool Vanished() override { return !Usable(); }

private:
    QtSerialDevice() = default;
    bool Usable();

    QSerialPort m_port;
};

// The program's real port: system devices, real clock. The program installs it
// with InstallComPort() when it starts.
ComPort& SystemComPort();
