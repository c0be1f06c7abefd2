// Which device stands behind the port numbers COM1 to COM4.
#include "link/ComDeviceName.h"

#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "app/ProgramPaths.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace {

// Names compared with their trailing numbers as numbers, so that ttyS10 comes
// after ttyS2.
std::tuple<std::string_view, std::size_t, std::string_view> NaturalKey(std::string_view name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    std::string_view number = name.substr(digits);
    while (number.size() > 1 && number.front() == '0')
        number.remove_prefix(1);
    return {name.substr(0, digits), number.size(), number};
}

std::string ComKey(int number) { return "COM" + std::to_string(number); }

} // namespace

std::vector<FoundSerialDevice> InPortOrder(std::vector<FoundSerialDevice> found) {
    std::stable_sort(found.begin(), found.end(), [](const FoundSerialDevice& a, const FoundSerialDevice& b) {
        return a.usb != b.usb ? a.usb : NaturalKey(a.device) < NaturalKey(b.device);
    });
    return found;
}

std::vector<std::string> ComDevices(const std::vector<FoundSerialDevice>& found, std::vector<std::string> named) {
    named.resize(kComPortCount);
    const std::vector<FoundSerialDevice> ordered = InPortOrder(found);
    // A device is known by two names when it has a stable one; either counts
    // as taken, so that no two port numbers stand for one device.
    std::vector<std::string> taken = named;
    auto isTaken = [&taken](const std::string& name) {
        return !name.empty() && std::find(taken.begin(), taken.end(), name) != taken.end();
    };
    auto port = named.begin();
    for (const FoundSerialDevice& device : ordered) {
        if (isTaken(device.device) || isTaken(device.systemName))
            continue;
        taken.insert(taken.end(), {device.device, device.systemName});
        port = std::find(port, named.end(), "");
        if (port != named.end())
            *port = device.device;
    }
    // A port left over keeps its own built-in device, so that plugging in an
    // adapter does not move the others; the first one free when it is taken.
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (!named[i].empty())
            continue;
        std::string builtIn = "/dev/ttyS" + std::to_string(i);
        for (int n = 0; isTaken(builtIn); ++n)
            builtIn = "/dev/ttyS" + std::to_string(n);
        named[i] = builtIn;
        taken.push_back(builtIn);
    }
    return named;
}

std::vector<std::string> NamedComDevices() {
    std::vector<std::string> named;
    for (int number = 1; number <= kComPortCount; ++number)
        named.push_back(GetProfileString(kInterfaceSection, ComKey(number), ""));
    return named;
}

std::string ComDeviceName(int number) {
#ifdef _WIN32
    return ComKey(number);
#else
    if (number < 1 || number > kComPortCount)
        return GetProfileString(kInterfaceSection, ComKey(number), "/dev/ttyS" + std::to_string(number - 1));
    return ComDevices(CurrentSerialDeviceSource().List(), NamedComDevices())[static_cast<std::size_t>(number - 1)];
#endif
}

bool WriteComDeviceName(int number, const std::string& device) {
    return ProfileFile(ProfilePath()).WriteString(kInterfaceSection, ComKey(number), device);
}
