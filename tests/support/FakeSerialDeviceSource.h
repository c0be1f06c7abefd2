// Serial devices made up by the test, installed as the program's for as long as the test runs.
#pragma once

#include "link/SerialDeviceSource.h"

#include <map>
#include <string>
#include <vector>

class FakeSerialDeviceSource final : public SerialDeviceSource {
public:
    FakeSerialDeviceSource() : m_pPrevious(InstallSerialDeviceSource(this)) {}
    ~FakeSerialDeviceSource() override { InstallSerialDeviceSource(m_pPrevious); }
    FakeSerialDeviceSource(const FakeSerialDeviceSource&) = delete;
    FakeSerialDeviceSource& operator=(const FakeSerialDeviceSource&) = delete;

    std::vector<FoundSerialDevice> List() override { return found; }
    std::string GroupToJoin(const std::string& device) override {
        auto it = refused.find(device);
        return it == refused.end() ? std::string() : it->second;
    }

    std::vector<FoundSerialDevice> found;
    std::map<std::string, std::string> refused; // device: group to join

private:
    SerialDeviceSource* m_pPrevious;
};

inline FoundSerialDevice UsbAdapter(std::string stableName, std::string systemName) {
    return {std::move(stableName), std::move(systemName), "Orvela USB cable", 0x1d6b, 0x0840, true};
}

inline FoundSerialDevice BuiltInPort(std::string name) { return {name, name, "", -1, -1, false}; }
