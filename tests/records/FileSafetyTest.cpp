// Damaged section files and file operations that fail: whatever the user had
// stays somewhere, and the old versions are kept in the backups.
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
#include "support/WithoutFileOverride.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The contents of every file below the folder.
std::multiset<std::string> Contents(const fs::path& root) {
    std::multiset<std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            contents.insert(ReadFileBytes(entry.path()));
    return contents;
}

std::string Telephone(const std::string& name) {
    return PacketBytes('T', 0, RecordBytes(Bytes({0x72}) + name + std::string("\0\0\0", 3)));
}

class FileSafetyTest : public TempHomeTest {
protected:
    void SetUp() override {
        g_records.clear();
        SetBackupClock([this] { return m_now += 1; });
    }
    void TearDown() override {
        g_records.clear();
        SetBackupClock(nullptr);
    }

    fs::path File(int section) const { return GetSectionFileName(section); }
    bool Download(const std::string& sent, RecordingPage& page) {
        HandheldSimulation::Options options;
        options.handheld.sendLetter = sent[0];
        options.handheld.sendRepeatedly = false;
        HandheldSimulation sim(options);
        sim.Handheld().SetSection(sent[0], sent);
        SimulatedTransfer transfer(sim);
        LinkProtocol link = transfer.Link();
        return ReceiveSectionFile(link, page);
    }
    bool Save(const std::string& name) {
        g_records = {SectionRecord("", "")};
        g_records[0].m_lstFields = {name, "", ""};
        return SaveSection(kSectionTelephone);
    }
    int Cli(const std::vector<std::string>& args) {
        m_out.str("");
        m_err.str("");
        return RunCommandLine(args, m_out, m_err);
    }

    std::time_t m_now = 1'800'000'000;
    std::ostringstream m_out, m_err;
};

TEST_F(FileSafetyTest, DamagedOrOverlongInputLoadsWhatItCanAndSavesWithTheOriginalInTheBackups) {
    const std::string tooLongName(254, 'N');
    struct Case {
        const char* name;
        int section;
        std::string bytes;
        bool damaged;
        std::size_t records;
        std::vector<std::size_t> shortened;
    };
    const std::string good = RecordBytes(Bytes({0x72}) + std::string("A\0B\0C\0", 6));
    const Case cases[] = {
        {"ends before the last packet", 1, PacketBytes('T', 0, good, 'N'), true, 1, {}},
        {"packet length below the header", 1, Bytes({'T', 0, 3, 0, 'L'}) + good, true, 0, {}},
        {"record running past its packet", 1, PacketBytes('T', 0, good + Bytes({50, 0, 0x72, 'A', 0})), true, 1, {}},
        {"record beyond the record buffer",
         1,
         PacketBytes('T', 0, good + RecordBytes(std::string(257, 'A'))),
         true,
         1,
         {}},
        {"one long field, the others missing",
         1,
         PacketBytes('T', 0, good + RecordBytes(Bytes({0x72}) + tooLongName + '\0')),
         false,
         2,
         {1}},
        {"schedule text without times",
         2,
         PacketBytes('S', 0, RecordBytes(Bytes({3, 1, 100, 0x0E, 0, 0}) + std::string(249, 'T') + '\0')),
         false,
         1,
         {0}},
        {"dictionary record at the limit",
         3,
         PacketBytes('E', 0, RecordBytes(Bytes({0x72}) + std::string(127, 'A') + '\0' + std::string(126, 'B') + '\0')),
         false,
         1,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(File(c.section), c.bytes);
        std::vector<std::size_t> shortened;
        EXPECT_EQ(LoadSection(c.section, nullptr, {}, &shortened),
                  c.damaged ? LoadResult::Damaged : LoadResult::Loaded);
        EXPECT_EQ(g_records.size(), c.records);
        EXPECT_EQ(shortened, c.shortened);
        ASSERT_TRUE(SaveSection(c.section)) << "every record that was loaded can be saved";
        const std::string saved = ReadFileBytes(File(c.section));
        EXPECT_EQ(InspectSectionBytes(saved, c.section).records, c.records);
        EXPECT_FALSE(InspectSectionBytes(saved, c.section).damaged);
        if (saved != c.bytes) {
            ASSERT_FALSE(ListBackups(c.section).empty());
            EXPECT_EQ(ReadFileBytes(ListBackups(c.section).back().path), c.bytes) << "the original is kept";
        }
    }
}

TEST_F(FileSafetyTest, FailingFileOperationsLoseNothing) {
    const fs::path home = m_temp.Home(), data = m_temp.Data();
    const std::string sent = SampleSection('E');
    const std::string staleDownload = "half a download";
    RecordingPage page(data);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<bool()> act;
        bool succeeds;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"a profile that cannot be read is not written",
         [&] {
             m_temp.WriteProfile("[interface]\r\ncom=2\r\n");
             fs::permissions(m_temp.ProfilePath(), fs::perms::none);
         },
         [] {
             WithoutFileOverride asUser;
             return WriteProfileInt("interface", "kbdstate", 31);
         },
         false, [] {}},
        {"a read-only profile folder puts the lock into the runtime folder",
         [&] {
             fs::create_directories(data / "run");
             setenv("XDG_RUNTIME_DIR", (data / "run").c_str(), 1);
             fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
         },
         [&] {
             WithoutFileOverride asUser;
             SingleInstanceLock first, second;
             return first.AcquireFor(home, "kl840t-link.lock") == LockResult::Acquired &&
                    second.AcquireFor(home, "kl840t-link.lock") == LockResult::HeldElsewhere;
         },
         true,
         [&] {
             fs::permissions(home, fs::perms::owner_all);
             unsetenv("XDG_RUNTIME_DIR");
         }},
        {"received bytes that cannot replace the section file stay beside it",
         [&] { fs::create_directory(File(kSectionGermanRussian)); }, [&] { return Download(sent, page); }, false,
         [&] {
             ASSERT_FALSE(page.messages.empty());
             const std::string prefix = "<152>\r\n";
             ASSERT_EQ(page.messages.back().substr(0, prefix.size()), prefix);
             const fs::path kept = page.messages.back().substr(prefix.size());
             EXPECT_TRUE(ReadFileBytes(kept) == sent) << kept;
             EXPECT_NE(kept.filename(), kDownloadTemporaryName);
         }},
        {"a read-only leftover of a killed download goes at the next one's start",
         [&] {
             WriteFileBytes(data / kDownloadTemporaryName, staleDownload);
             fs::permissions(data / kDownloadTemporaryName, fs::perms::owner_read);
         },
         [&] {
             WithoutFileOverride asUser;
             return Download(sent, page);
         },
         true,
         [&] {
             EXPECT_EQ(ReadFileBytes(File(kSectionGermanRussian)), sent);
             EXPECT_FALSE(fs::exists(data / kDownloadTemporaryName));
         }},
        {"a section file that cannot be read is not saved over",
         [&] {
             WriteFileBytes(File(kSectionTelephone), Telephone("OLD"));
             fs::permissions(File(kSectionTelephone), fs::perms::none);
         },
         [&] {
             WithoutFileOverride asUser;
             return Save("NEW");
         },
         false, [] {}},
        {"no backups folder, no save",
         [&] {
             WriteFileBytes(File(kSectionTelephone), Telephone("OLD"));
             WriteFileBytes(data / kBackupFolderName, "a file where the folder goes");
         },
         [&] { return Save("NEW"); }, false, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        std::multiset<std::string> before = Contents(m_temp.Home().parent_path());
        before.erase(staleDownload);
        EXPECT_EQ(c.act(), c.succeeds);
        c.check();
        const std::multiset<std::string> after = Contents(m_temp.Home().parent_path());
        for (const std::string& content : before)
            EXPECT_TRUE(after.count(content)) << "lost: " << content.substr(0, 40);
        fs::remove(m_temp.ProfilePath());
        fs::remove_all(data);
        fs::create_directory(data);
        page.messages.clear();
    }
}

TEST_F(FileSafetyTest, TheTenNewestVersionsStayAndCopiesOfDamagedFilesToo) {
    const std::string damaged = Telephone("OLD").substr(0, 9);
    WriteFileBytes(File(kSectionTelephone), damaged);
    for (int v = 1; v <= 12; ++v)
        ASSERT_TRUE(Save("V" + std::to_string(v)));
    ASSERT_TRUE(Save("V12")) << "an unchanged save keeps no copy";
    // Two saves within one second.
    SetBackupClock([] { return std::time_t{1'900'000'000}; });
    ASSERT_TRUE(Save("V13"));
    ASSERT_TRUE(Save("V14"));
    std::vector<std::string> kept;
    for (const SectionBackup& backup : ListBackups(kSectionTelephone))
        kept.push_back(ReadFileBytes(backup.path));
    std::vector<std::string> expected = {damaged};
    for (int v = 4; v <= 13; ++v)
        expected.push_back(Telephone("V" + std::to_string(v)));
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(ListBackups(kSectionTelephone).back().stamp.substr(17), "-2");
}

TEST_F(FileSafetyTest, BackupsAreListedAndRestoredFromTheCommandLine) {
    for (const char* name : {"V1", "V2", "V3"})
        ASSERT_TRUE(Save(name));
    const std::vector<SectionBackup> backups = ListBackups(kSectionTelephone);
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(Cli({"backups"}), kExitOk);
    const std::string size = std::to_string(Telephone("V1").size());
    EXPECT_EQ(m_out.str(), "telephone\t" + backups[0].stamp + "\t1 record\t" + size + " bytes\ntelephone\t" +
                               backups[1].stamp + "\t1 record\t" + size + " bytes\n");

    ASSERT_EQ(Cli({"restore", "telephone"}), kExitOk) << m_err.str();
    EXPECT_EQ(ReadFileBytes(File(kSectionTelephone)), Telephone("V2"));
    ASSERT_EQ(Cli({"restore", "telephone", backups[0].stamp}), kExitOk) << m_err.str();
    EXPECT_EQ(ReadFileBytes(File(kSectionTelephone)), Telephone("V1"));
    std::vector<std::string> kept;
    for (const SectionBackup& backup : ListBackups(kSectionTelephone))
        kept.push_back(ReadFileBytes(backup.path));
    EXPECT_EQ(kept, (std::vector<std::string>{Telephone("V1"), Telephone("V2"), Telephone("V3"), Telephone("V2")}))
        << "each restore kept the file it replaced";

    EXPECT_EQ(Cli({"restore", "telephone", "2001-01-01T000000"}), kExitFailure);
    EXPECT_EQ(Cli({"backups", "schedule"}), kExitOk);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(Cli({"restore"}), kExitUsage);
    EXPECT_EQ(Cli({"--help"}), kExitOk);
    EXPECT_NE(m_out.str().find("restore <section> [<date>]"), std::string::npos);
}

TEST_F(FileSafetyTest, ADownloadKeepsThePreviousFileInTheBackups) {
    WriteFileBytes(File(kSectionGermanRussian), "the dictionary before");
    RecordingPage page(m_temp.Data());
    ASSERT_TRUE(Download(SampleSection('E'), page));
    ASSERT_EQ(ListBackups(kSectionGermanRussian).size(), 1u);
    EXPECT_EQ(ReadFileBytes(ListBackups(kSectionGermanRussian)[0].path), "the dictionary before");
}

} // namespace
