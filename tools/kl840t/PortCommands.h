// The subcommand that shows the serial devices, and why one cannot be opened.
#pragma once

#include "kl840t/CommandLine.h"

#include <string>

int RunPorts(const Invocation& invocation, std::ostream& out, std::ostream& err);

// "cannot open DEVICE", with the group to join when the device refuses this user.
std::string CannotOpenMessage(const std::string& device);
