// The profile file rules: what a read finds, what a write keeps.
#include "app/ProfileFile.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public TempHomeTest {
protected:
    std::filesystem::path m_path = m_temp.Home() / "a" / "b" / "test.ini";
    ProfileFile m_profile{m_path};

    void Write(const std::string& bytes) {
        std::filesystem::create_directories(m_path.parent_path());
        WriteFileBytes(m_path, bytes);
    }
    std::string Read() { return ReadFileBytes(m_path); }
};

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::string expected;
};

TEST_F(ProfileFileTest, ReadsValuesByTheProfileRules) {
    const ReadCase cases[] = {
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

    std::filesystem::create_directories(m_path); // a directory where the file should be
    EXPECT_EQ(m_profile.GetString("s", "k", "error"), "error");
    EXPECT_FALSE(m_profile.WriteInt("s", "k", 1));
    std::filesystem::remove(m_path);

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

struct WriteCase {
    const char* name;
    std::string before;
    std::string after;
};

TEST_F(ProfileFileTest, WritesInPlaceKeepsEveryOtherByteAndLeavesNoTemporaryFile) {
    const WriteCase cases[] = {
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
        std::filesystem::remove_all(m_temp.Home() / "a");
        if (!c.before.empty())
            Write(c.before);
        ASSERT_TRUE(m_profile.WriteInt("s", "com", 3));
        EXPECT_EQ(Read(), c.after);
        EXPECT_EQ(m_profile.GetInt("s", "com", 0), 3);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_path.parent_path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "no temporary file is left beside";
    }
}

} // namespace
