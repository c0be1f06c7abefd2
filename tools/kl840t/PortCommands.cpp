// The subcommand that shows the serial devices, and why one cannot be opened.
#include "kl840t/PortCommands.h"

#include "link/ComDeviceName.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace {

std::string AccessText(const std::string& device) {
    const DeviceAccess access = CurrentSerialDeviceSource().Access(device);
    if (access.allowed)
        return "yes";
    return access.groupToJoin.empty() ? "no" : "no, join the group " + access.groupToJoin;
}

} // namespace

// One line per device: the port number that opens it (or "-"), the device,
// the system's name of it, its description, USB ids and whether this user may
// open it, TAB between them, as list prints records. The ports come first, in
// their order.
int RunPorts(const Invocation&, std::ostream& out, std::ostream& err) {
    const std::vector<FoundSerialDevice> found = InPortOrder(CurrentSerialDeviceSource().List());
    if (found.empty())
        err << "kl840t: no serial devices found\n";
    const std::vector<std::string> ports = ComDevices(found, NamedComDevices());
    std::vector<std::pair<std::size_t, const FoundSerialDevice*>> lines;
    for (const FoundSerialDevice& device : found) {
        auto port = std::find_if(ports.begin(), ports.end(), [&device](const std::string& name) {
            return name == device.device || name == device.systemName;
        });
        lines.emplace_back(static_cast<std::size_t>(port - ports.begin()), &device);
    }
    std::stable_sort(lines.begin(), lines.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (const auto& [port, device] : lines)
        out << (port < ports.size() ? "COM" + std::to_string(port + 1) : "-") << '\t' << device->device << '\t'
            << device->systemName << '\t' << device->description << '\t' << UsbIdsText(*device) << '\t'
            << AccessText(device->device) << '\n';
    return kExitOk;
}

std::string CannotOpenMessage(const std::string& device) {
    const DeviceAccess access = CurrentSerialDeviceSource().Access(device);
    if (access.allowed)
        return "cannot open " + device + " (missing, or in use by another program)";
    if (access.groupToJoin.empty())
        return "cannot open " + device + ": permission denied";
    const std::string& group = access.groupToJoin;
    return "cannot open " + device + ": permission denied; join the group " + group + " (sudo usermod -aG " + group +
           " $USER) and log in again";
}
