// The subcommand that shows the serial devices, and why one cannot be opened.
#pragma once

#include "kl840t/CommandLine.h"

#include <string>

int RunPorts(const Invocation& invocation, std::ostream& out, std::ostream& err);

// "cannot open DEVICE", and why: missing or in use, or refused (with the group to join).
std::string CannotOpenMessage(const std::string& device);
