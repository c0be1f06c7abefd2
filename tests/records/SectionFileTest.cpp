// Loading and saving section files in the section directory.
#include "records/SectionFile.h"

#include "records/SectionBytes.h"
#include "records/Sections.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

class SectionFileTest : public TempHomeTest {
protected:
    void SetUp() override { g_records.clear(); }
    void TearDown() override { g_records.clear(); }

    // Answers the question "48" and counts how often it was asked.
    ConfirmCreateSection Answer(bool ok) {
        return [this, ok] { return ++m_nAsked, ok; };
    }

    int m_nAsked = 0;
};

TEST_F(SectionFileTest, ConfirmedQuestionCreatesAnEmptyFileWhoseSaveIsOnePacket) {
    for (int section = kSectionTelephone; section <= kSectionRussianGerman; ++section) {
        SCOPED_TRACE(section);
        const char letter = SectionLetter(section);
        g_records.assign(2, SectionRecord("", ""));
        EXPECT_EQ(LoadSection(section, Answer(true)), LoadResult::Loaded);
        EXPECT_EQ(ReadFileBytes(GetSectionFileName(section)), Bytes({letter, 0, 0, 0, 'L'}));
        EXPECT_TRUE(g_records.empty());
        ASSERT_TRUE(SaveSection(section));
        EXPECT_EQ(ReadFileBytes(GetSectionFileName(section)), Bytes({letter, 0, 5, 0, 'L'}));
    }
    EXPECT_EQ(m_nAsked, 4);
}

TEST_F(SectionFileTest, DeclinedQuestionLeavesListAndFileAlone) {
    for (const std::string& bytes : {std::string(), std::string("T\0\0\0", 4)}) {
        SCOPED_TRACE(bytes.size());
        if (!bytes.empty())
            WriteFileBytes(GetSectionFileName(kSectionTelephone), bytes);
        g_records.assign(3, SectionRecord("", ""));
        EXPECT_EQ(LoadSection(kSectionTelephone, Answer(false)), LoadResult::Declined);
        EXPECT_EQ(g_records.size(), 3u);
        EXPECT_EQ(std::filesystem::exists(GetSectionFileName(kSectionTelephone)), !bytes.empty());
    }
    EXPECT_EQ(m_nAsked, 2);
}

TEST_F(SectionFileTest, DamagedFileIsLoadedWithoutAskingAndReportedWithTheRecordsBeforeTheDamage) {
    WriteFileBytes(GetSectionFileName(kSectionGermanRussian),
                   PacketBytes('E', 0, RecordBytes(Bytes({0xF2, 'A', 0, 0})), 'N') + "E\1");
    EXPECT_EQ(LoadSection(kSectionGermanRussian, Answer(true)), LoadResult::Damaged);
    EXPECT_EQ(m_nAsked, 0);
    ASSERT_EQ(g_records.size(), 1u);
    EXPECT_EQ(g_records[0].m_nLocked, 1);
}

TEST_F(SectionFileTest, MemoAndUnknownSectionsAreNeitherLoadedNorSaved) {
    for (int section : {0, kSectionMemo, 6}) {
        EXPECT_EQ(LoadSection(section, Answer(true)), LoadResult::Failed);
        EXPECT_FALSE(SaveSection(section));
    }
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_TRUE(std::filesystem::is_empty(m_temp.Data()));
}

// Something that is there but cannot be read is never offered for replacement
// by an empty file: whatever it holds is not the program's to throw away.
TEST_F(SectionFileTest, AnUnreadableFileIsNeitherQuestionedNorReplaced) {
    std::filesystem::create_directory(GetSectionFileName(kSectionSchedule));
    EXPECT_EQ(LoadSection(kSectionSchedule, Answer(true)), LoadResult::Failed);
    EXPECT_EQ(m_nAsked, 0);
    EXPECT_TRUE(std::filesystem::is_directory(GetSectionFileName(kSectionSchedule)));
}

TEST_F(SectionFileTest, FailedSaveKeepsTheOldFile) {
    const std::filesystem::path file = GetSectionFileName(kSectionTelephone);
    const std::string old = Bytes({'T', 0, 0, 0, 'L'});
    WriteFileBytes(file, old);
    // The new file cannot be made beside the old one.
    std::filesystem::create_directory(file.string() + ".new");
    g_records.assign(1, SectionRecord("", ""));
    g_records[0].m_lstFields = {"A", "B", "C"};
    EXPECT_FALSE(SaveSection(kSectionTelephone));
    EXPECT_EQ(ReadFileBytes(file), old);
    // Nor is a record that the handheld could not take written.
    std::filesystem::remove(file.string() + ".new");
    g_records[0].m_lstFields = {std::string(260, 'A'), "B", "C"};
    EXPECT_FALSE(SaveSection(kSectionTelephone));
    EXPECT_EQ(ReadFileBytes(file), old);
}

} // namespace
