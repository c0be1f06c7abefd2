// A fresh program home and data directory for every test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Points $KL840T_HOME and $KL840T_DATA at new empty folders for the test's
// lifetime, so that profile and section files are real files that no other
// test sees.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Home() const { return m_home; }
    const std::filesystem::path& Data() const { return m_data; }
    std::filesystem::path ProfilePath() const;

    // Copies the delivered profile (as built) into the home.
    void InstallDeliveredProfile() const;
    void WriteProfile(const std::string& bytes) const;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_home;
    std::filesystem::path m_data;
};

// Base fixture: every test of it runs in its own TempHome.
class TempHomeTest : public ::testing::Test {
protected:
    TempHome m_temp;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
