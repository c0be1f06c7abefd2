// Serial devices made up by the test, the program's for as long as the test runs.
#pragma once

#include "link/SerialDeviceSource.h"

#include <map>

class FakeSerialDeviceSource final : public SerialDeviceSource {
public:
    FakeSerialDeviceSource() : m_pPrevious(InstallSerialDeviceSource(this)) {}
    ~FakeSerialDeviceSource() override { InstallSerialDeviceSource(m_pPrevious); }
    std::vector<FoundSerialDevice> List() override { return found; }
    DeviceAccess Access(const std::string& device) override {
        return refused.count(device) ? DeviceAccess{false, refused[device]} : DeviceAccess{};
    }

    std::vector<FoundSerialDevice> found;
    std::map<std::string, std::string> refused; // device: the group to join

private:
    SerialDeviceSource* m_pPrevious;
};

inline FoundSerialDevice UsbAdapter(const std::string& name, const std::string& systemName) {
    return {name, systemName, "Orvela USB cable", 0x1d6b, 0x0840, true};
}
inline FoundSerialDevice BuiltInPort(const std::string& name) { return {name, name, "", -1, -1, false}; }
