// The profile: what a read of its file finds and what a write keeps, how a
// file is replaced in place, the first start's copy of the delivered profile,
// and the settings and texts the program reads from it.
#include "app/AtomicFile.h"
#include "app/DeliveredProfile.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "app/TextKeys.h"
#include "keyboard/CodePages.h"
#include "support/TempHome.h"

#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProfileFileTest : public TempHomeTest {
protected:
    fs::path m_path = m_temp.Home() / "a" / "b" / "test.ini";
    ProfileFile m_profile{m_path};

    void Write(const std::string& bytes) {
        fs::create_directories(m_path.parent_path());
        WriteFileBytes(m_path, bytes);
    }
};

using ProfileTest = TempHomeTest;

} // namespace

TEST_F(ProfileFileTest, ReadsValuesByTheProfileRules) {
    const struct {
        const char* name;
        std::string file;
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"plain", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"names ignore case", "[Interface]\nCOM=3\n", "interface", "com", "3"},
        {"blanks trimmed", "[s]\n  k  =   a b  \n", "s", "k", "a b"},
        {"double quotes stripped", "[s]\nk=\" a \"\n", "s", "k", " a "},
        {"unpaired quote kept", "[s]\nk=\"x\n", "s", "k", "\"x"},
        {"first key wins", "[s]\nk=1\nk=2\n", "s", "k", "1"},
        {"first section wins", "[s]\na=1\n[s]\nk=2\n", "s", "k", "default"},
        {"empty value is a value", "[s]\nk=\n", "s", "k", ""},
        {"bytes kept", "[s]\nk=\xC0\x80\xFF\n", "s", "k", "\xC0\x80\xFF"},
        {"comment is no key", "[s]\n;k=1\nk=2\n", "s", "k", "2"},
        {"broken header opens nothing", "[s\nk=1\n", "s", "k", "default"},
        {"value cut at NUL", std::string("[s]\nk=ab\0cd\n", 12), "s", "k", "ab"},
        {"binary garbage around", std::string("\0\xFF\x01[\n[s]\n\xFE=\xFD\nk=ok\n", 19), "s", "k", "ok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.file);
        EXPECT_EQ(m_profile.GetString(c.section, c.key, "default"), c.expected);
    }
}

TEST_F(ProfileFileTest, MissingUnreadableOrHugeFilesGiveDefaults) {
    EXPECT_EQ(m_profile.GetString("s", "k", "error"), "error");

    fs::create_directories(m_path); // a directory where the file should be
    EXPECT_EQ(m_profile.GetString("s", "k", "error"), "error");
    EXPECT_FALSE(m_profile.WriteInt("s", "k", 1));
    fs::remove(m_path);

    std::string longValue(100000, 'x');
    Write("[s]\nk=" + longValue + "\nj=after\n");
    EXPECT_EQ(m_profile.GetString("s", "k", "").size(), ProfileFile::kMaxValueLength);
    EXPECT_EQ(m_profile.GetString("s", "j", ""), "after");
}

TEST_F(ProfileFileTest, ReadsIntegersFromLeadingDigits) {
    const std::pair<const char*, int> cases[] = {
        {" 42 ", 42},
        {"-1", -1},
        {"12abc", 12},
        {"\"7\"", 7},
        {"", 99}, // empty: the default
        {"99999999999", static_cast<int>(99999999999LL & 0xFFFFFFFF)},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        Write(std::string("[s]\nk=") + text + "\n");
        EXPECT_EQ(m_profile.GetInt("s", "k", 99), expected);
    }
}

TEST_F(ProfileFileTest, WritesInPlaceKeepsEveryOtherByteAndLeavesNoTemporaryFile) {
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"updates value, keeps key spelling and neighbours", "; c\r\n[S]\r\nA=1\r\n  Com = 2 ; x\r\nz=\xC0\r\n",
         "; c\r\n[S]\r\nA=1\r\n  Com =3\r\nz=\xC0\r\n"},
        {"adds key at end of section, before the blank line", "[s]\nk1=1\n\n[t]\nx=1\n",
         "[s]\nk1=1\ncom=3\n\n[t]\nx=1\n"},
        {"adds section at end of file with its line breaks", "[t]\r\nx=1", "[t]\r\nx=1\r\n[s]\r\ncom=3\r\n"},
        {"creates the file and its folder", "", "[s]\ncom=3\n"},
        {"only the first matching key changes", "[s]\ncom=1\ncom=2\n", "[s]\ncom=3\ncom=2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_temp.Home() / "a");
        if (!c.before.empty())
            Write(c.before);
        ASSERT_TRUE(m_profile.WriteInt("s", "com", 3));
        EXPECT_EQ(ReadFileBytes(m_path), c.after);
        EXPECT_EQ(m_profile.GetInt("s", "com", 0), 3);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_path.parent_path()), fs::directory_iterator()), 1)
            << "no temporary file is left beside";
    }
}

// Replacing keeps what is not an ordinary file: a link stays a link, a pipe or
// a device is written into, never renamed over.
TEST_F(ProfileFileTest, ReplacingFollowsALinkAndWritesIntoAPipe) {
    const fs::path file = m_temp.Data() / "840.0";
    const fs::path link = m_temp.Data() / "link";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    fs::create_symlink(file, link);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(file), "new");

    const fs::path pipe = m_temp.Data() / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Held open for reading and writing, the pipe takes the bytes without a
    // reader waiting on the other side.
    const int held = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    ASSERT_TRUE(WriteFileAtomically(pipe, "bytes"));
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    char received[8] = {};
    EXPECT_EQ(read(held, received, sizeof received), 5);
    EXPECT_STREQ(received, "bytes");
    close(held);
}

// The first start puts the delivered profile in place, and never over anything.
TEST(DeliveredProfileTest, CopiesOnlyIntoAnEmptyPlace) {
    const struct {
        std::string there; // in the profile's place before: "", "file", "folder" or "link" (dangling)
        bool delivered;
        ProfilePlacement expected;
    } cases[] = {{"", true, ProfilePlacement::kPutInPlace},
                 {"file", true, ProfilePlacement::kAlreadyThere},
                 {"folder", true, ProfilePlacement::kAlreadyThere},
                 {"link", true, ProfilePlacement::kAlreadyThere},
                 {"", false, ProfilePlacement::kNoDeliveredProfile}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.there + (c.delivered ? " delivered" : ""));
        TempHome temp;
        const fs::path delivered = temp.Data() / "kl840t-link.ini", folder = temp.Home() / "config" / "kl840t";
        const fs::path profile = folder / "kl840t-link.ini"; // in a folder that is not there yet
        if (c.delivered)
            WriteFileBytes(delivered, "[interface]\r\n");
        if (!c.there.empty())
            fs::create_directories(folder);
        if (c.there == "file")
            WriteFileBytes(profile, "user's own");
        if (c.there == "folder")
            fs::create_directory(profile);
        if (c.there == "link")
            fs::create_symlink(folder / "elsewhere.ini", profile);

        std::string error;
        EXPECT_EQ(PutDeliveredProfileInPlace(delivered, profile, error), c.expected) << error;
        EXPECT_EQ(ReadFileBytes(profile), c.there == "file"                ? "user's own"
                                          : c.there.empty() && c.delivered ? "[interface]\r\n"
                                                                           : "");
        EXPECT_EQ(fs::exists(fs::symlink_status(profile)), c.delivered || !c.there.empty());
        // Nothing written through the link, nothing half-done left beside the profile.
        for (const auto& entry : fs::recursive_directory_iterator(temp.Home()))
            EXPECT_TRUE(entry.path() == profile || entry.is_directory()) << entry.path();
    }
}

TEST_F(ProfileTest, WithoutProfileEverySettingHasItsDefaultAndEveryTextReadsError) {
    EXPECT_EQ(ReadSetting(kSettingComPort), 0);
    EXPECT_EQ(ReadSetting(kSettingHandheldTable), "!");
    EXPECT_EQ(ReadSetting(kSettingPcTable), "!");
    for (const TextKey& key : TextKeys())
        EXPECT_EQ(LookupText(kGermanSection, key.key), "error") << key.key;
}

// The delivered profile as the build made it: every key in both languages, no
// "error" anywhere, the Russian texts in Cyrillic bytes, the German ones
// without the lower-case umlauts the interface font lacks; a conversion table
// that maps one to one.
TEST_F(ProfileTest, DeliveredProfileHoldsEveryKeyInBothLanguagesAndAOneToOneConversionTable) {
    m_temp.InstallDeliveredProfile();
    for (const char* section : {kGermanSection, kRussianSection}) {
        for (const TextKey& key : TextKeys()) {
            SCOPED_TRACE(std::string(section) + "/" + key.key);
            std::string text = LookupText(section, key.key);
            EXPECT_NE(text, "error");
            EXPECT_FALSE(text.empty());
        }
    }
    EXPECT_EQ(PcToUtf8(LookupText(kRussianSection, "15")), "Настройки");
    EXPECT_EQ(PcToUtf8(LookupText(kGermanSection, "24")), "Übernehmen");
    EXPECT_EQ(LookupText(kGermanSection, "24")[0], '\x82');

    std::string handheld = ReadSetting(kSettingHandheldTable);
    std::string pc = ReadSetting(kSettingPcTable);
    ASSERT_EQ(handheld.size(), pc.size());
    EXPECT_EQ(std::set<char>(handheld.begin(), handheld.end()).size(), handheld.size());
    EXPECT_EQ(PcToUtf8(pc), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁÄÖÜß");
    EXPECT_EQ(handheld.substr(0, 2), "\x80\x81");
}
