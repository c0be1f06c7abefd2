// The Data page with a section file that is not as the program writes it, and
// with saves that do not go through.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "records/DataPageFixture.h"
#include "records/SectionBytes.h"
#include "records/Sections.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST_F(DataPageTest, ALoadThatLeftSomethingOutSaysWhatAndAFailedSaveKeepsTheEditsLoaded) {
    OpenDataPage();
    const std::filesystem::path file = GetSectionFileName(kSectionTelephone);
    const std::string records = RecordBytes("rANNA\0\0\0"s) + RecordBytes("r" + std::string(254, 'C') + '\0');
    WriteFileBytes(file, PacketBytes('T', 0, records, 'N'));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Load(kTelephoneRadio);
    EXPECT_EQ(MessageBoxSeam::Shown().at(0).icon, IDI_HAND);
    EXPECT_EQ(LastMessage(), Text("150") + " 2\r\n\r\n" + Text("151") + " 2");

    ClickCommand(kDeleteButton);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file); // the save before the reload cannot replace it
    for (int clicked : {IDOK, kErDictRadio}) {
        SCOPED_TRACE(clicked);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        ClickButton(Control(clicked));
        EXPECT_EQ(LastMessage(), Text("49"));
        EXPECT_TRUE(Modified());
        EXPECT_EQ(ListTexts().size(), 1) << "the edits stay";
        EXPECT_TRUE(static_cast<QAbstractButton*>(Control(kTelephoneRadio))->isChecked());
    }
    std::filesystem::remove(file);
}

} // namespace
