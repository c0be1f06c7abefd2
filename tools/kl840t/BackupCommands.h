// The subcommands on the kept old versions of the section files.
#pragma once

#include "kl840t/CommandLine.h"

int RunBackups(const Invocation& invocation, std::ostream& out, std::ostream& err);
int RunRestore(const Invocation& invocation, std::ostream& out, std::ostream& err);
