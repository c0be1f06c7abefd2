// The Data page with section files that are not as the program writes them,
// and with saves that do not go through.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "records/DataPageFixture.h"
#include "records/SectionBytes.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

const std::string kGoodRecords = RecordBytes(Bytes({0x72}) + std::string("ANNA\0"
                                                                         "1\0\0",
                                                                         8)) +
                                 RecordBytes(Bytes({0x72}) + std::string("BERND\0"
                                                                         "2\0\0",
                                                                         9));

TEST_F(DataPageTest, ALoadThatLeavesSomethingOutSaysWhat) {
    struct Case {
        const char* name;
        std::string file;
        int icon;
        const char* key;
        const char* after; // what follows the key's text
        int records;
    };
    const Case cases[] = {
        {"damaged after two records", PacketBytes('T', 0, kGoodRecords, 'N'), IDI_HAND, "150", " 2", 2},
        {"the third record too long to write back",
         PacketBytes('T', 0, kGoodRecords + RecordBytes(Bytes({0x72}) + std::string(254, 'C') + '\0')), IDI_ASTERISK,
         "151", " 3", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenDataPage();
        WriteFileBytes(GetSectionFileName(kSectionTelephone), c.file);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        Load(kTelephoneRadio);
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(MessageBoxSeam::Shown()[0].icon, c.icon);
        EXPECT_EQ(LastMessage(), Text(c.key) + c.after);
        EXPECT_EQ(ListTexts().size(), c.records);
        ClickCommand(kSaveButton);
        EXPECT_EQ(MessagesShown(), 1u) << "what was loaded can be saved";
        EXPECT_EQ(ReadSection(kSectionTelephone).size(), static_cast<std::size_t>(c.records));
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

TEST_F(DataPageTest, AReloadOrSectionChoiceStopsWhenTheAgreedSaveFails) {
    for (int clicked : {1, kErDictRadio}) {
        SCOPED_TRACE(clicked);
        OpenDataPage({{kSectionTelephone, {Record({"ANNA", "1", ""}), Record({"BERND", "2", ""})}}});
        Load(kTelephoneRadio);
        ClickCommand(kDeleteButton);
        std::filesystem::remove(GetSectionFileName(kSectionTelephone));
        std::filesystem::create_directory(GetSectionFileName(kSectionTelephone));
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        ClickButton(Control(clicked));
        ASSERT_EQ(MessagesShown(), 2u);
        EXPECT_EQ(LastMessage(), Text("49"));
        EXPECT_TRUE(Modified()) << "the edits are still only in memory";
        EXPECT_EQ(ListTexts(), QStringList{"BERND"});
        EXPECT_TRUE(static_cast<QAbstractButton*>(Control(kTelephoneRadio))->isChecked());
        EXPECT_TRUE(CommandEnabled(kSaveButton));
        std::filesystem::remove(GetSectionFileName(kSectionTelephone));
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

} // namespace
