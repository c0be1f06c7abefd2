// A save or a restore killed at any moment leaves the section file whole, and
// the backups whole.
#include "records/SectionBackups.h"
#include "records/Sections.h"
#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <thread>

namespace {

class KillSafetyTest : public TempHomeTest {};

TEST_F(KillSafetyTest, AKilledImportOrRestoreLeavesEveryFileWhole) {
    const std::string tool = KL840T_CLI_PATH;
    const std::filesystem::path file = GetSectionFileName(kSectionTelephone);
    std::vector<std::string> inputs;
    std::set<std::string> versions;
    std::chrono::steady_clock::duration longest{};
    for (const char* name : {"A", "B"}) {
        std::string lines;
        for (int i = 0; i < 300; ++i)
            lines += std::string("-\t") + name + std::to_string(i) + "\t030 " + std::to_string(i) + "\tBERLIN\n";
        inputs.push_back((m_temp.Home() / name).string());
        WriteFileBytes(inputs.back(), lines);
        const auto start = std::chrono::steady_clock::now();
        ChildProcess import({tool, "import", "telephone", inputs.back()}, false);
        ASSERT_EQ(import.WaitForExit(10000), 0);
        longest = std::max(longest, std::chrono::steady_clock::now() - start);
        versions.insert(ReadFileBytes(file));
    }

    std::mt19937 random(20261206);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(longest).count());
    std::size_t backups = ListBackups(kSectionTelephone).size();
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        const std::vector<std::string> args =
            round % 3 == 2 ? std::vector<std::string>{tool, "restore", "telephone"}
                           : std::vector<std::string>{tool, "import", "telephone", inputs[round % 2]};
        ChildProcess child(args, false);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        child.Kill(SIGKILL);
        EXPECT_TRUE(versions.count(ReadFileBytes(file))) << "the section file is one version, whole";
        const std::vector<SectionBackup> kept = ListBackups(kSectionTelephone);
        for (const SectionBackup& backup : kept)
            EXPECT_TRUE(versions.count(ReadFileBytes(backup.path))) << backup.stamp;
        EXPECT_GE(kept.size(), std::min(backups, kBackupsKept)) << "no backup lost";
        backups = kept.size();
    }
}

} // namespace
