// Where the program keeps its profile, fonts and section files.
#include "app/ProgramPaths.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::string& ProgramNameStorage() {
    static std::string name = "kl840t-link";
    return name;
}

std::filesystem::path& ProfilePathOverride() {
    static std::filesystem::path path;
    return path;
}

std::filesystem::path FromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path HomeDirectory() {
    std::filesystem::path home = FromEnvironment("HOME");
    if (!home.empty())
        return home;
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : temporary;
}

bool IsWritableDirectory(const std::filesystem::path& dir) {
#ifdef _WIN32
    std::error_code error;
    return std::filesystem::is_directory(dir, error);
#else
    return !dir.empty() && access(dir.c_str(), W_OK | X_OK) == 0;
#endif
}

} // namespace

std::filesystem::path ConfigDirectory() {
    if (auto home = FromEnvironment("KL840T_HOME"); !home.empty())
        return home;
#ifdef _WIN32
    char buffer[MAX_PATH] = {};
    if (GetWindowsDirectoryA(buffer, MAX_PATH) > 0)
        return std::filesystem::path(buffer);
#endif
    if (auto xdg = FromEnvironment("XDG_CONFIG_HOME"); !xdg.empty())
        return xdg / "kl840t";
    return HomeDirectory() / ".config" / "kl840t";
}

void SetProgramName(std::string name) { ProgramNameStorage() = std::move(name); }

const std::string& ProgramName() { return ProgramNameStorage(); }

std::filesystem::path ProfilePath() {
    if (!ProfilePathOverride().empty())
        return ProfilePathOverride();
    return ConfigDirectory() / (ProgramName() + ".ini");
}

void SetProfilePath(std::filesystem::path path) { ProfilePathOverride() = std::move(path); }

std::filesystem::path FontsDirectory() { return ConfigDirectory() / "Fonts"; }

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
#ifdef _WIN32
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::filesystem::path(buffer).parent_path();
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : exe.parent_path();
#endif
}

std::filesystem::path DeliveredProfilePath() {
    return (ExecutableDirectory() / KL840T_SHARE_FROM_BIN / "kl840t-link.ini").lexically_normal();
}

bool IsInstalled() {
    std::error_code error;
    return std::filesystem::is_regular_file(DeliveredProfilePath(), error);
}

std::filesystem::path SectionDirectory() {
    if (auto data = FromEnvironment("KL840T_DATA"); !data.empty())
        return data;
    // Installed, the program's folder is the system's (and root could write
    // into it): the sections go with the user's data.
    std::filesystem::path exeDir = ExecutableDirectory();
    if (!IsInstalled() && IsWritableDirectory(exeDir))
        return exeDir;
    if (auto xdg = FromEnvironment("XDG_DATA_HOME"); !xdg.empty())
        return xdg / "kl840t";
    return HomeDirectory() / ".local" / "share" / "kl840t";
}
