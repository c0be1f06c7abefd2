// The serial devices of this computer, as the serial port library and the system's stable names show them.
#include "link/SystemSerialDevices.h"

#include <QSerialPortInfo>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Stable name of each device that has one, by the device the link points to.
std::map<std::filesystem::path, std::string> StableNames(const std::filesystem::path& folder) {
    std::map<std::filesystem::path, std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code resolveError;
        std::filesystem::path target = std::filesystem::canonical(it->path(), resolveError);
        if (!resolveError)
            names.emplace(target, it->path().string());
    }
    return names;
}

} // namespace

SystemSerialDevices::SystemSerialDevices(std::filesystem::path stableNames) : m_stableNames(std::move(stableNames)) {}

std::vector<FoundSerialDevice> SystemSerialDevices::List() {
    std::map<std::filesystem::path, std::string> stable = StableNames(m_stableNames);
    std::vector<FoundSerialDevice> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        FoundSerialDevice device;
        device.systemName = info.systemLocation().toStdString();
        device.device = device.systemName;
        device.description = info.description().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            device.vendorId = info.vendorIdentifier();
            device.productId = info.productIdentifier();
            device.usb = true;
        }
        std::error_code error;
        if (auto it = stable.find(std::filesystem::canonical(device.systemName, error)); !error && it != stable.end()) {
            device.device = it->second;
            device.usb = true;
            stable.erase(it);
        }
        found.push_back(std::move(device));
    }
    // A stable name whose device the library does not list still names an
    // adapter the user plugged in.
    for (const auto& [target, name] : stable)
        found.push_back({name, target.string(), {}, -1, -1, true});
    return found;
}

DeviceAccess SystemSerialDevices::Access(const std::string& device) {
    DeviceAccess result;
#ifndef _WIN32
    struct stat status {};
    if (stat(device.c_str(), &status) != 0 || access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES)
        return result;
    result.allowed = false;
    // Joining the owner group helps only when that group may read and write.
    if ((status.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return result;
    const group* owner = getgrgid(status.st_gid);
    result.groupToJoin = owner ? owner->gr_name : std::to_string(status.st_gid);
#else
    (void)device;
#endif
    return result;
}

SerialDeviceSource& SystemSerialDeviceSource() {
    // $KL840T_SERIAL_BY_ID stands in for the system's folder, so that a
    // demonstration can plug in adapters made of pseudo-terminals.
    static SystemSerialDevices source = [] {
        const char* folder = std::getenv("KL840T_SERIAL_BY_ID");
        return folder && *folder ? SystemSerialDevices(folder) : SystemSerialDevices();
    }();
    return source;
}
