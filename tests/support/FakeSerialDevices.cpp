// Serial devices in memory: the test decides what opens and what arrives, and sees what was written and when.
#include "support/FakeSerialDevices.h"

#include <algorithm>

class FakeSerialDevices::Device final : public SerialDevice {
public:
    Device(FakeSerialDevices& devices, std::string name) : m_devices(devices), m_name(std::move(name)) {
        m_devices.openNow.push_back(m_name);
    }
    ~Device() override {
        auto& open = m_devices.openNow;
        open.erase(std::find(open.begin(), open.end(), m_name));
    }

    bool ConfigureLine() override {
        if (m_devices.m_unplugged || !m_devices.settingsReadable)
            return false;
        ++m_devices.linesConfigured;
        m_devices.inputQueue.clear();
        return true;
    }

    int BytesWaiting() override { return m_devices.m_unplugged ? 0 : static_cast<int>(m_devices.inputQueue.size()); }

    bool ReadByte(unsigned char& byte) override {
        ++m_devices.readsIssued;
        if (m_devices.m_unplugged || m_devices.inputQueue.empty())
            return false;
        byte = static_cast<unsigned char>(m_devices.inputQueue.front());
        m_devices.inputQueue.erase(0, 1);
        return true;
    }

    bool WriteByte(unsigned char byte) override {
        if (m_devices.m_unplugged)
            return false;
        m_devices.written.push_back({m_devices.m_clock.NowMs(), byte});
        return true;
    }

private:
    FakeSerialDevices& m_devices;
    std::string m_name;
};

SerialDeviceOpener FakeSerialDevices::Opener() {
    return [this](const std::string& name) -> std::unique_ptr<SerialDevice> {
        bool busy = std::find(openNow.begin(), openNow.end(), name) != openNow.end();
        if (m_unplugged || busy || missing.count(name))
            return nullptr;
        return std::make_unique<Device>(*this, name);
    };
}
