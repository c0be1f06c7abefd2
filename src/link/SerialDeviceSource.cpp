// The serial devices present on this computer, and whether this user may open them.
#include "link/SerialDeviceSource.h"

#include <cstdio>

namespace {

class NoSerialDevices final : public SerialDeviceSource {
public:
    std::vector<FoundSerialDevice> List() override { return {}; }
    DeviceAccess Access(const std::string&) override { return {}; }
};

SerialDeviceSource* g_pInstalledSource = nullptr;

} // namespace

std::string UsbIdsText(const FoundSerialDevice& found) {
    if (found.vendorId < 0 || found.productId < 0)
        return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", found.vendorId & 0xFFFF, found.productId & 0xFFFF);
    return text;
}

SerialDeviceSource& CurrentSerialDeviceSource() {
    static NoSerialDevices none;
    return g_pInstalledSource ? *g_pInstalledSource : none;
}

SerialDeviceSource* InstallSerialDeviceSource(SerialDeviceSource* source) {
    SerialDeviceSource* previous = g_pInstalledSource;
    g_pInstalledSource = source;
    return previous;
}
