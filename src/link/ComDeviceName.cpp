// Which device stands behind the port numbers COM1 to COM4.
#include "link/ComDeviceName.h"

#include "app/Profile.h"

std::string ComDeviceName(int number) {
    std::string comName = "COM" + std::to_string(number);
#ifdef _WIN32
    return comName;
#else
    return GetProfileString(kInterfaceSection, comName, "/dev/ttyS" + std::to_string(number - 1));
#endif
}
