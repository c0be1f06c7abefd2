// The Data page as a whole: the section choice, loading, the list and its field choice, saving, the
// questions before changes are dropped, the keys and the two views.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "records/DataPageFixture.h"
#include "records/DataPageViews.h"
#include "records/SectionBytes.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::vector<SectionRecord> kPhoneBook = {Record({"ANNA", "030 111", "BERLIN"}),
                                               Record({"BERND", "040 222", "HAMBURG"}),
                                               Record({"CARLA", "089 333", "ROM"})};

TEST_F(DataPageTest, ANewPageHasNothingLoadedAndEnterOnOkLoadsTheTelephoneBook) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    EXPECT_TRUE(IsDlgButtonChecked(Page(), kTelephoneRadio));
    EXPECT_TRUE(Control(6666)->isVisible());
    EXPECT_FALSE(Control(1021)->isVisible()) << "the memo is not offered";
    for (int button = 0; button < kCommandButtonCount; ++button)
        EXPECT_FALSE(CommandEnabled(button)) << button;

    Control(1)->setFocus();
    QTest::keyClick(Control(1), Qt::Key_Return);
    EXPECT_EQ(ListTexts(), (QStringList{"ANNA", "BERND", "CARLA"}));
    EXPECT_EQ(Page()->RecordList()->currentRow(), 0);
    EXPECT_FALSE(Control(6666)->isVisible());
    for (int button : {kSaveButton, kNewButton, kDeleteButton, kViewButton})
        EXPECT_TRUE(CommandEnabled(button)) << button;
    EXPECT_FALSE(CommandEnabled(kUndoButton));
    EXPECT_EQ(FieldText(0), "ANNA");
    EXPECT_EQ(Page()->m_bSelectView, 1) << "a load keeps the view";
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

TEST_F(DataPageTest, TheListShowsTheChosenFieldOfEveryRecordInFileOrderOnOneLine) {
    OpenDataPage({{kSectionTelephone,
                   {Record({"ZORA", "1", "A\r\nB"}), Record({"ANTON", "2", "C"}), Record({"MAX", "3", ""})}}});
    Load(kTelephoneRadio);
    EXPECT_EQ(ListTexts(), (QStringList{"ZORA", "ANTON", "MAX"})) << "not sorted";
    QComboBox* combo = Page()->FieldCombo();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(ListTexts(), (QStringList{"A  B", "C", ""}));
}

TEST_F(DataPageTest, FieldChoiceAndCaptionsFollowTheSection) {
    const std::pair<int, std::vector<const char*>> cases[] = {{kTelephoneRadio, {"100ge", "101ge", "102ge"}},
                                                              {kScheduleRadio, {"110ge", "111ge", "112ge"}},
                                                              {kErDictRadio, {"120ge", "121ge"}},
                                                              {kReDictRadio, {"130geruge", "131ge"}}};
    OpenDataPage({{1, {}}, {2, {}}, {3, {}}, {4, {}}});
    for (const auto& [radio, keys] : cases) {
        SCOPED_TRACE(keys[0]);
        Load(radio);
        QComboBox* combo = Page()->FieldCombo();
        ASSERT_EQ(combo->count(), static_cast<int>(keys.size()));
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_EQ(GetControlText(Page()->FieldCaption(i)), Text(keys[static_cast<std::size_t>(i)]));
            EXPECT_EQ(QStringToPc(combo->itemText(i)), Text(keys[static_cast<std::size_t>(i)]));
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
    struct Case {
        const char* name;
        int radio; // the radio clicked, or 1 for the OK button (a reload)
        int answer;
    };
    const Case cases[] = {{"section radio, OK saves", kErDictRadio, IDOK_RESULT},
                          {"reload, Cancel drops", 1, IDCANCEL_RESULT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenDataPage({{kSectionTelephone, kPhoneBook}});
        Load(kTelephoneRadio);
        ClickCommand(kDeleteButton);
        ASSERT_TRUE(Modified()) << "a delete is a change";
        MessageBoxSeam::QueueAnswer(c.answer);
        ClickButton(Control(c.radio));
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(LastMessage(), Text("80"));
        EXPECT_EQ(ReadSection(kSectionTelephone).size(), c.answer == IDOK_RESULT ? 2u : 3u);
        EXPECT_FALSE(Modified());
        if (c.radio == 1) {
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

// The page slides left to half its width and back while the halves change places.
TEST_F(DataPageTest, TheViewSwitchSlidesThePageAndSwapsItsHalvesUntilTheTabIsLeft) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    const QPoint home = Page()->pos();
    const QRect listFrame = Control(1098)->geometry();
    std::vector<int> steps;
    DataPageViews::SetSlidePause([&](QWidget* page) { steps.push_back(page->x() - home.x()); });
    for (int view : {0, 1}) {
        SCOPED_TRACE(view);
        steps.clear();
        ClickCommand(kViewButton);
        ASSERT_GT(steps.size(), 1u);
        EXPECT_EQ(steps.front(), view == 0 ? -25 : 25);
        EXPECT_EQ(Page()->pos(), home);
        EXPECT_EQ(Control(1069)->isVisible(), view == 1);
        EXPECT_EQ(Field(0)->isVisible(), view == 0);
        EXPECT_EQ(Page()->LockBar()->isVisible(), view == 0);
        EXPECT_EQ(Page()->CommandBar()->ButtonState(kViewButton), view == 0 ? 1 : 0);
    }
    EXPECT_EQ(Control(1098)->geometry(), listFrame);
    // Leaving the tab from the editor comes back to a new section choice.
    ClickCommand(kViewButton);
    ClickTab(0);
    ClickTab(1);
    EXPECT_EQ(Page()->m_bSelectView, 1);
    EXPECT_TRUE(Control(6666)->isVisible());
    EXPECT_FALSE(CommandEnabled(kViewButton));
}

TEST_F(DataPageTest, TheCommandButtonsAndThePadlockHaveTheirTips) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    const char* keys[] = {"73", "74", "75", "76", "77"};
    for (int k = 0; k < kCommandButtonCount; ++k)
        EXPECT_EQ(Page()->CommandTips()->ToolTextAt(Page()->CommandBar()->ButtonRect(k).center()), Text(keys[k])) << k;
    Load(kTelephoneRadio);
    OpenEditor();
    const QPoint padlock = Page()->LockBar()->ButtonRect(0).center();
    EXPECT_EQ(Page()->LockTip()->ToolTextAt(padlock), Text("30"));
    ClickLock();
    EXPECT_EQ(Page()->LockTip()->ToolTextAt(padlock), Text("31"));
}

TEST_F(DataPageTest, ASaveThatCannotWriteTellsTheUserAndKeepsTheChanges) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    ClickCommand(kDeleteButton);
    // Something that is not a file now stands where the section file was.
    std::filesystem::remove(GetSectionFileName(kSectionTelephone));
    std::filesystem::create_directory(GetSectionFileName(kSectionTelephone));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessagesShown(), 2u);
    EXPECT_EQ(MessageBoxSeam::Shown()[0].message, Text("80"));
    EXPECT_EQ(MessageBoxSeam::Shown()[1].message, Text("49"));
    EXPECT_EQ(g_nCurrentTab, 1) << "the changes are still only in memory";
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ListTexts().size(), 2);
}

} // namespace
