// The version line: the About box shows it, every program prints it for --version.
#pragma once

// KL840T_VERSION comes from the project's version in the build files, so the
// package and the programs never disagree.
inline constexpr const char* kVersionLine = "Version " KL840T_VERSION;
