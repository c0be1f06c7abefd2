// Loading and saving section files, damaged ones too, and file operations that
// fail: whatever the user had stays somewhere, and the versions replaced are
// kept in the backups.
#include "app/Profile.h"
#include "app/SingleInstance.h"
#include "handheld/SampleSections.h"
#include "kl840t/CommandLine.h"
#include "link/SectionTransfer.h"
#include "link/TransferTestSupport.h"
#include "records/SectionBackups.h"
#include "records/SectionBytes.h"
#include "records/SectionFile.h"
#include "records/Sections.h"
#include "support/TempHome.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <functional>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Runs `act` with the thread's file access checked by the permission bits alone, as an ordinary user
// meets them also when the tests run as the administrator: a file of mode 000 cannot be read, a
// folder of mode 555 takes no new names.
bool AsOrdinaryUser(const std::function<bool()>& act) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    if (syscall(SYS_capget, &header, caps) != 0)
        return act();
    const unsigned effective = caps[0].effective;
    caps[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    syscall(SYS_capset, &header, caps);
    const bool result = act();
    caps[0].effective = effective;
    syscall(SYS_capset, &header, caps);
    return result;
}

// 'r' (72h) is the lock byte of a record that is not locked.
std::string Telephone(const std::string& name) { return PacketBytes('T', 0, RecordBytes("r" + name + "\0\0\0"s)); }

class FileSafetyTest : public TempHomeTest {
protected:
    void SetUp() override {
        SetBackupClock([this] { return ++m_now; });
    }
    void TearDown() override {
        SetBackupClock(nullptr);
        g_records.clear();
    }

    // Answers the question "48" and counts how often it was asked.
    ConfirmCreateSection Answer(bool ok) {
        return [this, ok] { return ++m_nAsked, ok; };
    }

    bool Download(const std::string& sent) {
        HandheldSimulation::Options options;
        options.handheld.sendLetter = sent[0];
        options.handheld.sendRepeatedly = false;
        HandheldSimulation sim(options);
        sim.Handheld().SetSection(sent[0], sent);
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        return ReceiveSectionFile(link, m_page);
    }
    static bool Save(const std::string& name) {
        g_records = {Record({name, "", ""})};
        return SaveSection(kSectionTelephone);
    }
    static std::vector<std::string> Kept(int section) {
        std::vector<std::string> kept;
        for (const SectionBackup& backup : ListBackups(section))
            kept.push_back(ReadFileBytes(backup.path));
        return kept;
    }

    std::time_t m_now = 1'800'000'000;
    int m_nAsked = 0;
    RecordingPage m_page{m_temp.Data()};
};

// A file shorter than a packet header counts as missing: an empty file takes
// its place only when the user agrees.
TEST_F(FileSafetyTest, AMissingFileIsCreatedEmptyOnlyWhenTheQuestionIsConfirmed) {
    WriteFileBytes(GetSectionFileName(kSectionTelephone), "T\0\0\0"s);
    for (int section = kSectionTelephone; section <= kSectionRussianGerman; ++section) {
        SCOPED_TRACE(section);
        const fs::path file = GetSectionFileName(section);
        g_records.assign(2, SectionRecord("", ""));
        EXPECT_EQ(LoadSection(section, Answer(false)), LoadResult::Declined);
        EXPECT_EQ(g_records.size(), 2u);
        EXPECT_EQ(fs::exists(file), section == kSectionTelephone);
        EXPECT_EQ(LoadSection(section, Answer(true)), LoadResult::Loaded);
        EXPECT_EQ(ReadFileBytes(file), Bytes({SectionLetter(section), 0, 0, 0, 'L'}));
        EXPECT_TRUE(g_records.empty());
        ASSERT_TRUE(SaveSection(section));
        EXPECT_EQ(ReadFileBytes(file), Bytes({SectionLetter(section), 0, 5, 0, 'L'}));
    }
    EXPECT_EQ(m_nAsked, 8);
}

// Nothing is asked when the file is there or the section keeps none. A damaged
// file loads with the records before the damage; something that is there but
// cannot be read is never offered for replacement by an empty file, whatever it
// holds is not the program's to throw away.
TEST_F(FileSafetyTest, AFileThatIsThereIsNeverQuestioned) {
    WriteFileBytes(GetSectionFileName(kSectionGermanRussian),
                   PacketBytes('E', 0, RecordBytes(Bytes({0xF2, 'A', 0, 0})), 'N') + "E\1");
    EXPECT_EQ(LoadSection(kSectionGermanRussian, Answer(true)), LoadResult::Damaged);
    ASSERT_EQ(g_records.size(), 1u);
    EXPECT_EQ(g_records[0].m_nLocked, 1);
    fs::create_directory(GetSectionFileName(kSectionSchedule));
    EXPECT_EQ(LoadSection(kSectionSchedule, Answer(true)), LoadResult::Failed);
    EXPECT_TRUE(fs::is_directory(GetSectionFileName(kSectionSchedule)));
    for (int section : {0, kSectionMemo, 6}) {
        EXPECT_EQ(LoadSection(section, Answer(true)), LoadResult::Failed);
        EXPECT_FALSE(SaveSection(section));
    }
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_temp.Data()), {}), 2) << "no file made for the memo or no section";
}

TEST_F(FileSafetyTest, OverlongRecordsLoadAsFarAsTheyCanAndSaveWithTheOriginalKept) {
    const std::tuple<int, std::string, std::vector<std::size_t>> cases[] = {
        // section, its records, the records shortened
        {1, RecordBytes("rA\0B\0C\0"s) + RecordBytes("r" + std::string(254, 'N') + '\0'), {1}}, // fields missing
        {2, RecordBytes("\3\1\x64\x0E\0\0"s + std::string(250, 'T')), {0}},                     // no times
        {3, RecordBytes("r" + std::string(127, 'A') + '\0' + std::string(127, 'B')), {}},       // at the limit
    };
    for (const auto& [section, records, expected] : cases) {
        SCOPED_TRACE(section);
        const std::string file = PacketBytes(SectionLetter(section), 0, records);
        WriteFileBytes(GetSectionFileName(section), file);
        std::vector<std::size_t> shortened;
        EXPECT_EQ(LoadSection(section, nullptr, {}, &shortened), LoadResult::Loaded);
        EXPECT_EQ(shortened, expected);
        ASSERT_TRUE(SaveSection(section)) << "every record loaded can be saved";
        EXPECT_EQ(InspectSectionBytes(ReadFileBytes(GetSectionFileName(section)), section).records, g_records.size());
        EXPECT_EQ(Kept(section).back(), file);
    }
}

TEST_F(FileSafetyTest, FailingFileOperationsLoseNothing) {
    const fs::path home = m_temp.Home(), data = m_temp.Data(), telephone = GetSectionFileName(kSectionTelephone);
    const fs::path leftover = data / kDownloadTemporaryName;
    const std::string sent = SampleSection('E'), stale = "half a download";
    auto make = [](const fs::path& path, const std::string& bytes, fs::perms perms) {
        WriteFileBytes(path, bytes);
        fs::permissions(path, perms);
    };
    auto twoCopies = [&] {
        SingleInstanceLock first, second;
        return first.AcquireFor(home, "kl840t-link.lock") == LockResult::Acquired &&
               second.AcquireFor(home, "kl840t-link.lock") == LockResult::HeldElsewhere;
    };
    // What is arranged, what is tried (as an ordinary user), and whether it goes through.
    const std::tuple<std::function<void()>, std::function<bool()>, bool> cases[] = {
        // An unreadable profile is never written.
        {[&] { make(m_temp.ProfilePath(), "[interface]\n", fs::perms::none); },
         [] { return WriteProfileInt("interface", "kbdstate", 31); }, false},
        // A read-only profile folder: the lock goes to the runtime folder.
        {[&] { fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec); }, twoCopies, true},
        // Received bytes that cannot replace the section file stay, and the message names where.
        {[&] { fs::create_directory(GetSectionFileName(kSectionGermanRussian)); }, [&] { return Download(sent); },
         false},
        // A read-only leftover of a killed download goes at the next one's start.
        {[&] { make(leftover, stale, fs::perms::owner_read); }, [&] { return Download(sent); }, true},
        // The section file is not saved over when it cannot be read or its new version cannot be made beside
        // it, nor by a record that the handheld could not take.
        {[&] { fs::permissions(telephone, fs::perms::none); }, [] { return Save("NEW"); }, false},
        {[&] { fs::create_directory(telephone.string() + ".new"); }, [] { return Save("NEW"); }, false},
        {[] {}, [] { return Save(std::string(260, 'A')); }, false},
    };
    // What every file holds, but for what a killed download left.
    auto contents = [&] {
        std::multiset<std::string> all;
        for (const auto& entry : fs::recursive_directory_iterator(home.parent_path()))
            if (entry.is_regular_file() && ReadFileBytes(entry.path()) != stale)
                all.insert(ReadFileBytes(entry.path()));
        return all;
    };
    setenv("XDG_RUNTIME_DIR", data.c_str(), 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [arrange, act, succeeds] = cases[i];
        WriteFileBytes(telephone, Telephone("OLD")); // what the user has
        arrange();
        const std::multiset<std::string> before = contents();
        EXPECT_EQ(AsOrdinaryUser(act), succeeds);
        const std::multiset<std::string> after = contents();
        for (const std::string& content : before)
            EXPECT_TRUE(after.count(content)) << "lost: " << content.substr(0, 20);
        fs::permissions(telephone, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(ReadFileBytes(telephone), Telephone("OLD")) << "the user's section file stays as it was";
        if (!m_page.statuses.empty()) { // a download: the bytes are somewhere, and a failed one says where
            EXPECT_TRUE(after.count(sent));
            EXPECT_TRUE(succeeds || ReadFileBytes(m_page.messages.at(0).substr(7)) == sent) << m_page.messages.at(0);
        }
        fs::permissions(home, fs::perms::owner_all);
        fs::remove(m_temp.ProfilePath());
        fs::remove_all(data);
        fs::create_directory(data);
        m_page.messages.clear();
        m_page.statuses.clear();
    }
    unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(FileSafetyTest, TheTenNewestVersionsStayAndCopiesOfDamagedFilesToo) {
    const std::string damaged = Telephone("OLD").substr(0, 9);
    WriteFileBytes(GetSectionFileName(kSectionTelephone), damaged);
    std::vector<std::string> expected = {damaged};
    for (int v = 1; v <= 14; ++v) {
        if (v == 13)
            SetBackupClock([] { return std::time_t{1'900'000'000}; }); // two saves within one second
        ASSERT_TRUE(Save("V" + std::to_string(v)));
        ASSERT_TRUE(Save("V" + std::to_string(v))) << "an unchanged save keeps no copy";
        if (v >= 4 && v <= 13)
            expected.push_back(Telephone("V" + std::to_string(v)));
    }
    EXPECT_EQ(Kept(kSectionTelephone), expected);
}

TEST_F(FileSafetyTest, ADownloadKeepsThePreviousFileWhichTheCommandLineListsAndRestores) {
    const std::string empty = "E\0\0\0L"s, sent = SampleSection('E');
    WriteFileBytes(GetSectionFileName(kSectionGermanRussian), empty);
    ASSERT_TRUE(Download(sent));
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine({"backups"}, out, err), kExitOk);
    const std::string stamp = ListBackups(kSectionGermanRussian).at(0).stamp;
    EXPECT_EQ(out.str(), "er-dict\t" + stamp + "\t0 records\t5 bytes\n");
    ASSERT_EQ(RunCommandLine({"restore", "er-dict", stamp}, out, err), kExitOk) << err.str();
    EXPECT_EQ(ReadFileBytes(GetSectionFileName(kSectionGermanRussian)), empty);
    EXPECT_EQ(Kept(kSectionGermanRussian), (std::vector<std::string>{empty, sent})) << "the restore kept the file";
    EXPECT_EQ(RunCommandLine({"restore", "er-dict", "2001-01-01T000000"}, out, err), kExitFailure);
}

} // namespace
