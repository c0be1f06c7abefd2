// Where the program keeps its profile, fonts and section files.
#pragma once

#include <filesystem>
#include <string>

// The folder that plays the part of the Windows directory: the real one on
// Windows; elsewhere $KL840T_HOME when set, else $XDG_CONFIG_HOME/kl840t
// (default ~/.config/kl840t).
std::filesystem::path ConfigDirectory();

// The profile is named after the program: <config dir>/<program name>.ini.
// The program name is the executable's base name of the window program; the
// command-line tool reads the same profile, so it keeps the default.
void SetProgramName(std::string name);
const std::string& ProgramName();
std::filesystem::path ProfilePath();
// Another profile file in place of the program's own (the command-line tool's
// --profile); an empty path goes back to the program's own.
void SetProfilePath(std::filesystem::path path);

// The fonts folder that the font library layer loads from.
std::filesystem::path FontsDirectory();

// The directory of the running executable.
std::filesystem::path ExecutableDirectory();

// The profile that an installed program comes with, <prefix>/share/kl840t/
// beside the <prefix>/bin that holds the executable. A program run from its
// build folder has none.
std::filesystem::path DeliveredProfilePath();
// Installed: the delivered profile lies beside the program.
bool IsInstalled();

// Where the section files live: $KL840T_DATA when set; else the executable's
// directory when it is writable and the program is not installed (a portable
// copy); else $XDG_DATA_HOME/kl840t (default ~/.local/share/kl840t).
std::filesystem::path SectionDirectory();
