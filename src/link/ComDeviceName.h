// Which device stands behind the port numbers COM1 to COM4.
#pragma once

#include <string>

// "COM<n>" on Windows. Elsewhere the profile string "interface"/"COM<n>"
// names the device, so that a USB adapter or a pseudo-terminal can be chosen;
// without it the n-th built-in port, /dev/ttyS<n-1>.
std::string ComDeviceName(int number);
