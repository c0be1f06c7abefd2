// The Data page with a section file that is not as the program writes it, and
// with saves that do not go through: the user stays with the changes.
#include "records/DataPageFixture.h"

#include <functional>

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
    std::filesystem::create_directory(file); // the save before leaving the records cannot replace it
    // A reload, another section and another tab each save first.
    const std::function<void()> leaves[] = {[this] { ClickButton(Control(IDOK)); },
                                            [this] { ClickButton(Control(kErDictRadio)); }, [this] { ClickTab(0); }};
    for (std::size_t i = 0; i < std::size(leaves); ++i) {
        SCOPED_TRACE(i);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        leaves[i]();
        EXPECT_EQ(LastMessage(), Text("49"));
        EXPECT_EQ(g_nCurrentTab, 1);
        EXPECT_TRUE(Modified());
        EXPECT_EQ(ListTexts().size(), 1) << "the edits stay";
        EXPECT_TRUE(IsDlgButtonChecked(Page(), kTelephoneRadio));
    }
    std::filesystem::remove(file);
}

} // namespace
