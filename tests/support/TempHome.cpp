// A fresh program home and data directory for every test.
#include "support/TempHome.h"

#include "app/ProgramPaths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

TempHome::TempHome() {
    // A new folder of its own, even for tests that run at the same time.
    std::string folder = (std::filesystem::temp_directory_path() / "kl840t-test-XXXXXX").string();
    m_root = mkdtemp(folder.data());
    m_home = m_root / "home";
    m_data = m_root / "data";
    std::filesystem::create_directories(m_home);
    std::filesystem::create_directories(m_data);
    setenv("KL840T_HOME", m_home.c_str(), 1);
    setenv("KL840T_DATA", m_data.c_str(), 1);
}

TempHome::~TempHome() {
    unsetenv("KL840T_HOME");
    unsetenv("KL840T_DATA");
    std::error_code error;
    std::filesystem::remove_all(m_root, error);
}

std::filesystem::path TempHome::ProfilePath() const { return ::ProfilePath(); }

void TempHome::InstallDeliveredProfile() const {
    std::filesystem::copy_file(KL840T_DELIVERED_PROFILE, ProfilePath(),
                               std::filesystem::copy_options::overwrite_existing);
}

void TempHome::WriteProfile(const std::string& bytes) const { WriteFileBytes(ProfilePath(), bytes); }

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
