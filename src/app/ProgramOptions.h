// What the window program's command line asks for besides starting.
#pragma once

#include <string>
#include <vector>

enum class StartRequest { kRun, kHelp, kVersion };

// --help or -h, --version or -V; anything else is left to the toolkit (its
// -platform, -style and the like) and the program starts.
StartRequest ReadStartRequest(const std::vector<std::string>& arguments);

// The text --help prints.
std::string WindowProgramHelp();
