// Which device stands behind the port numbers COM1 to COM4.
#pragma once

#include "link/SerialDeviceSource.h"

#include <string>
#include <vector>

inline constexpr int kComPortCount = 4;

// The devices COM1 ... COM4 open. A device named for a port (in `named`, ""
// for none) always wins. The others stand for the devices found, none of them
// twice: USB adapters first, by their stable name, so that COM1 stays the same
// adapter however it is plugged in again; then the other devices with a serial
// port behind them. A port left over opens its built-in /dev/ttyS<n-1>.
std::vector<std::string> ComDevices(const std::vector<FoundSerialDevice>& found, std::vector<std::string> named);

// The devices found in the order they take the ports in (see above).
std::vector<FoundSerialDevice> InPortOrder(std::vector<FoundSerialDevice> found);

// The devices the profile names for COM1 ... COM4 ("interface"/"COM<n>"),
// "" where it names none.
std::vector<std::string> NamedComDevices();

// The device behind port `number` (1 for COM1): "COM<n>" on Windows, elsewhere
// as ComDevices() gives it for the devices present now.
std::string ComDeviceName(int number);

// Names the device of COM<number> in the profile; an empty name gives the
// port back its default. False when the profile could not be written.
bool WriteComDeviceName(int number, const std::string& device);
