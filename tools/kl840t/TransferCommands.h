// The subcommands that talk to the handheld: download and upload.
#pragma once

#include "kl840t/CommandLine.h"
#include "link/LinkClock.h"
#include "link/SerialDevice.h"

// How the transfers reach a device: the program's main installs the system's
// serial devices and clock; tests install a simulated handheld.
void SetTransferDevices(SerialDeviceOpener opener, LinkClock* clock);

int RunDownload(const Invocation& invocation, std::ostream& out, std::ostream& err);
int RunUpload(const Invocation& invocation, std::ostream& out, std::ostream& err);

// Set by Ctrl+C (or a termination request): acts as the STOP button.
void RequestTransferStop();
