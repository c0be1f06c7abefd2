// The Data page as a whole: the section choice, loading, the list and its field choice, saving, the
// questions before changes are dropped, the keys and the two views.
#include "records/DataPageFixture.h"
#include "records/DataPageViews.h"

#include <QComboBox>

namespace {

const std::vector<SectionRecord> kPhoneBook = {Record({"ANNA", "030 111", "BERLIN"}),
                                               Record({"BERND", "040 222", "HAMBURG"}),
                                               Record({"CARLA", "089 333", "ROM"})};

// The list shows the chosen field of every record in file order, on one line.
TEST_F(DataPageTest, ANewPageHasNothingLoadedAndEnterOnOkLoadsTheTelephoneBook) {
    OpenDataPage({{kSectionTelephone,
                   {Record({"ZORA", "1", "A\r\nB"}), Record({"ANTON", "2", "C"}), Record({"MAX", "3", ""})}}});
    EXPECT_TRUE(IsDlgButtonChecked(Page(), kTelephoneRadio));
    EXPECT_FALSE(Control(1021)->isVisible()) << "the memo is not offered";
    for (int button = 0; button < kCommandButtonCount; ++button)
        EXPECT_FALSE(CommandEnabled(button)) << button;

    Control(1)->setFocus();
    QTest::keyClick(Control(1), Qt::Key_Return);
    EXPECT_EQ(ListTexts(), (QStringList{"ZORA", "ANTON", "MAX"})) << "not sorted";
    EXPECT_FALSE(Control(6666)->isVisible());
    for (int button : {kSaveButton, kNewButton, kDeleteButton, kViewButton})
        EXPECT_TRUE(CommandEnabled(button)) << button;
    EXPECT_EQ(FieldText(0), "ZORA");
    EXPECT_EQ(Page()->m_bSelectView, 1) << "a load keeps the view";

    QComboBox* combo = Page()->FieldCombo();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(ListTexts(), (QStringList{"A  B", "C", ""}));
}

TEST_F(DataPageTest, AMissingSectionFileIsCreatedOnlyWhenTheUserAgrees) {
    const std::tuple<int, int, int> cases[] = {
        {kTelephoneRadio, 1, IDOK_RESULT}, {kReDictRadio, 4, IDOK_RESULT}, {kScheduleRadio, 2, IDCANCEL_RESULT}};
    OpenDataPage();
    for (const auto& [radio, section, answer] : cases) {
        SCOPED_TRACE(section);
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(answer);
        Load(radio);
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(LastMessage(), Text("48"));
        if (answer == IDOK_RESULT) {
            EXPECT_EQ(ReadFileBytes(GetSectionFileName(section)), Bytes({SectionLetter(section), 0, 0, 0, 'L'}));
            EXPECT_TRUE(ListTexts().isEmpty());
            EXPECT_TRUE(Field(0)->isReadOnly()) << "no record to edit";
            EXPECT_TRUE(CommandEnabled(kNewButton));
        } else {
            EXPECT_FALSE(std::filesystem::exists(GetSectionFileName(section)));
            EXPECT_TRUE(Control(6666)->isVisible()) << "the list area stays as it was";
            EXPECT_FALSE(CommandEnabled(kSaveButton));
        }
    }
}

TEST_F(DataPageTest, AnEditShowsInTheListAfterAnotherRecordIsChosenAndIsSavedOnLeavingTheTab) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    OpenEditor();
    TypeInto(0, "-MARIA");
    EXPECT_EQ(ListTexts()[0], "ANNA") << "nothing reaches the record before the editor is left";
    EXPECT_TRUE(CommandEnabled(kUndoButton));
    ClickListItem(2);
    EXPECT_EQ(ListTexts(), (QStringList{"ANNA-MARIA", "BERND", "CARLA"}));
    EXPECT_EQ(FieldText(0), "CARLA");

    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessagesShown(), 1u);
    EXPECT_EQ(LastMessage(), Text("80"));
    EXPECT_EQ(g_nCurrentTab, 0);
    const auto onDisk = ReadSection(kSectionTelephone);
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(onDisk[0].m_lstFields, (std::vector<std::string>{"ANNA-MARIA", "030 111", "BERLIN"}));
}

TEST_F(DataPageTest, DroppingChangesAsksFirstAndCancelDropsThem) {
    // The radio clicked, or 1 for the OK button (a reload), and the answer.
    for (const auto& [radio, answer] : {std::pair{kErDictRadio, IDOK_RESULT}, std::pair{1, IDCANCEL_RESULT}}) {
        SCOPED_TRACE(radio);
        OpenDataPage({{kSectionTelephone, kPhoneBook}});
        Load(kTelephoneRadio);
        ClickCommand(kDeleteButton);
        ASSERT_TRUE(Modified()) << "a delete is a change";
        MessageBoxSeam::QueueAnswer(answer);
        ClickButton(Control(radio));
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(LastMessage(), Text("80"));
        EXPECT_EQ(ReadSection(kSectionTelephone).size(), answer == IDOK_RESULT ? 2u : 3u);
        EXPECT_FALSE(Modified());
        if (radio == 1) {
            EXPECT_EQ(ListTexts().size(), 3) << "reloaded from the file";
        } else {
            EXPECT_TRUE(Control(6666)->isVisible());
            EXPECT_FALSE(CommandEnabled(kSaveButton));
        }
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

TEST_F(DataPageTest, EscapeDoesNothingAndEnterInAFieldIsTheDefaultButton) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    OpenEditor();
    for (QWidget* target : std::vector<QWidget*>{Field(0), Page()->RecordList(), Control(1081)}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
    }
    EXPECT_TRUE(Page()->isVisible());
    EXPECT_EQ(Page()->m_bSelectView, 0);

    // Ctrl+Enter types a line break; Enter alone is OK, the load, which asks about the change first.
    TypeInto(2, "X");
    QTest::keyClick(Field(2), Qt::Key_Return, Qt::ControlModifier);
    TypeInto(2, "Y");
    EXPECT_EQ(FieldText(2), "BERLINX\r\nY");
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    QTest::keyClick(Field(2), Qt::Key_Return);
    EXPECT_EQ(LastMessage(), Text("80"));
    EXPECT_EQ(FieldText(2), "BERLIN") << "reloaded";
}

// The view button swaps the page's halves, until the tab is left.
TEST_F(DataPageTest, TheViewSwitchSwapsThePagesHalvesUntilTheTabIsLeft) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    int slideSteps = 0;
    DataPageViews::SetSlidePause([&](QWidget*) { ++slideSteps; });
    for (int view : {0, 1}) {
        SCOPED_TRACE(view);
        ClickCommand(kViewButton);
        EXPECT_EQ(Control(1069)->isVisible(), view == 1);
        EXPECT_EQ(Field(0)->isVisible(), view == 0);
        EXPECT_EQ(Page()->LockBar()->isVisible(), view == 0);
        EXPECT_EQ(Page()->CommandBar()->ButtonState(kViewButton), view == 0 ? 1 : 0);
    }
    EXPECT_GT(slideSteps, 2) << "the page slides";
    // Leaving the tab from the editor comes back to a new section choice.
    ClickCommand(kViewButton);
    ClickTab(0);
    ClickTab(1);
    EXPECT_EQ(Page()->m_bSelectView, 1);
    EXPECT_TRUE(Control(6666)->isVisible());
    EXPECT_FALSE(CommandEnabled(kViewButton));
}

} // namespace
