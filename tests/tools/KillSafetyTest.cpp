// An import or a restore killed at any moment leaves the section file and the
// backups whole.
#include "records/SectionBackups.h"
#include "records/Sections.h"
#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <thread>

TEST(KillSafetyTest, AKilledImportOrRestoreLeavesEveryFileWhole) {
    using Clock = std::chrono::steady_clock;
    TempHome temp;
    const std::string tool = KL840T_CLI_PATH, file = GetSectionFileName(kSectionTelephone).string();
    std::vector<std::vector<std::string>> commands = {{tool, "restore", "telephone"}};
    std::set<std::string> versions;
    Clock::duration longest{};
    for (const char* name : {"A", "B"}) {
        std::string lines;
        for (int i = 0; i < 300; ++i)
            lines += std::string("-\t") + name + std::to_string(i) + "\t030\tBERLIN\n";
        WriteFileBytes(temp.Home() / name, lines);
        commands.push_back({tool, "import", "telephone", (temp.Home() / name).string()});
        const Clock::time_point start = Clock::now();
        OutputOf(commands.back());
        longest = std::max(longest, Clock::now() - start);
        versions.insert(ReadFileBytes(file));
    }
    // Killed anywhere from its start to the end of its work, run as it was
    // timed.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<Clock::rep> moment(0, longest.count());
    std::size_t backups = ListBackups(kSectionTelephone).size();
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        ChildProcess child(commands[static_cast<std::size_t>(round) % 3], true);
        std::this_thread::sleep_for(Clock::duration(moment(random)));
        child.Kill(SIGKILL);
        EXPECT_TRUE(versions.count(ReadFileBytes(file)));
        const std::vector<SectionBackup> kept = ListBackups(kSectionTelephone);
        for (const SectionBackup& backup : kept)
            EXPECT_TRUE(versions.count(ReadFileBytes(backup.path))) << backup.stamp;
        EXPECT_GE(kept.size(), std::min(backups, kBackupsKept)) << "no backup lost";
        backups = kept.size();
    }
}
