// The serial devices present on this computer, and whether this user may open them.
#pragma once

#include <string>
#include <vector>

struct FoundSerialDevice {
    std::string device;     // the name it is opened by: its stable /dev/serial/by-id/ name when it has one
    std::string systemName; // the system's own name of the device (/dev/ttyUSB0)
    std::string description;
    int vendorId = -1; // USB ids; -1 when not known
    int productId = -1;
    bool usb = false;
};

// "0403:6001", or "-" without USB ids.
std::string UsbIdsText(const FoundSerialDevice& found);

// Whether this user may open a device; one that is missing or in use is not
// refused, its open simply fails.
struct DeviceAccess {
    bool allowed = true;
    std::string groupToJoin; // when refused, the group whose members may open it; may be empty
};

class SerialDeviceSource {
public:
    virtual ~SerialDeviceSource() = default;
    virtual std::vector<FoundSerialDevice> List() = 0;
    virtual DeviceAccess Access(const std::string& device) = 0;
};

// The source the program asks. Until another is installed it finds nothing and
// refuses nothing, so that the ports keep their built-in devices. Installing
// gives back the one installed before (nullptr for that default); the caller
// keeps `source` alive while it is installed.
SerialDeviceSource& CurrentSerialDeviceSource();
SerialDeviceSource* InstallSerialDeviceSource(SerialDeviceSource* source);
