// kl840t: the section files on the command line, for scripted backups.
#include "kl840t/CommandLine.h"
#include "kl840t/TransferCommands.h"
#include "link/QtSerialDevice.h"
#include "link/SystemSerialDevices.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    // The serial devices are Qt's, which want their application object.
    QCoreApplication app(argc, argv);
    SetTransferDevices(QtSerialDevice::Open, &SystemClock());
    InstallSerialDeviceSource(&SystemSerialDeviceSource());
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
