// The serial devices of this computer, as the serial port library and the system's stable names show them.
#pragma once

#include "link/SerialDeviceSource.h"

#include <filesystem>

class SystemSerialDevices final : public SerialDeviceSource {
public:
    // `stableNames` is the folder of links that name USB adapters by maker,
    // model and serial number; tests point it at a folder of their own.
    explicit SystemSerialDevices(std::filesystem::path stableNames = "/dev/serial/by-id");

    std::vector<FoundSerialDevice> List() override;
    DeviceAccess Access(const std::string& device) override;

private:
    std::filesystem::path m_stableNames;
};

// The program's real source; programs install it when they start.
// $KL840T_SERIAL_BY_ID, when set, names the folder of stable names instead.
SerialDeviceSource& SystemSerialDeviceSource();
