// The subcommands on section files: list and import.
#pragma once

#include "kl840t/CommandLine.h"

int RunList(const Invocation& invocation, std::ostream& out, std::ostream& err);
int RunImport(const Invocation& invocation, std::ostream& out, std::ostream& err);
int RunSetPort(const Invocation& invocation, std::ostream& out, std::ostream& err);
