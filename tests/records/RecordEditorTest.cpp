// Record editing: committing and deleting emptied records, the dictionary check, new, delete, undo and
// lock with their effects on the list, field limits, and the keyboard side of a dictionary field.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "keyboard/COnScreenKeyboard.h"
#include "keyboard/KeyboardSide.h"
#include "records/CDataPage.h"
#include "records/DataPageFixture.h"
#include "records/RecordEditor.h"
#include "records/Sections.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::vector<SectionRecord> kPhoneBook = {Record({"ANNA", "1", "A"}), Record({"BERND", "2", "B"}),
                                               Record({"CARLA", "3", "C"}), Record({"DORA", "4", "D"})};

const std::vector<SectionRecord> kDictionary = {Record({"HAUS", "\xC4\xCE\xCC"}),
                                                Record({"BAUM", "\xC4\xC5\xD0\xC5\xC2\xCE"})};

TEST_F(DataPageTest, AnEmptiedTelephoneRecordIsDeletedAndTheClickedPlaceIsShown) {
    struct Case {
        int clicked;
        QString shown; // the record at the clicked place of the shortened list, or its last
    };
    const Case cases[] = {{0, "ANNA"}, {2, "DORA"}, {3, "DORA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked);
        OpenDataPage({{kSectionTelephone, kPhoneBook}});
        Load(kTelephoneRadio);
        OpenEditor();
        ClickListItem(1);
        for (int field = 0; field < 3; ++field)
            ClearField(field);
        ClickListItem(c.clicked);
        EXPECT_EQ(ListTexts(), (QStringList{"ANNA", "CARLA", "DORA"}));
        EXPECT_EQ(QString::fromStdString(FieldText(0)), c.shown);
        EXPECT_EQ(Page()->RecordList()->currentItem()->text(), c.shown);
        EXPECT_EQ(MessagesShown(), 0u) << "no question before a delete";
        EXPECT_TRUE(Modified());
        m_main.reset();
    }
}

TEST_F(DataPageTest, ANewDictionaryRecordMustHaveBothWordsAndUndoTakesItAway) {
    OpenDataPage({{kSectionGermanRussian, kDictionary}});
    Load(kErDictRadio);
    ClickCommand(kNewButton);
    EXPECT_EQ(Page()->m_bSelectView, 0) << "the editor opens for the new record";
    EXPECT_EQ(ListTexts(), (QStringList{"HAUS", "BAUM", QString::fromStdString(Text("61"))}));
    EXPECT_EQ(Page()->RecordList()->currentRow(), 2);
    EXPECT_EQ(FieldText(0), "");
    EXPECT_TRUE(Field(0)->hasFocus());
    TypeInto(0, "TISCH");

    // Neither another record, nor the view switch, nor a save leaves a record lacking a word.
    for (int i = 0; i < 3; ++i)
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ClickListItem(0);
    ClickCommand(kViewButton);
    ClickCommand(kSaveButton);
    ASSERT_EQ(MessagesShown(), 3u);
    for (const ShownMessageBox& box : MessageBoxSeam::Shown()) {
        EXPECT_EQ(box.message, Text("79"));
        EXPECT_EQ(box.icon, IDI_HAND);
        EXPECT_EQ(box.okText, Text("35"));
        EXPECT_EQ(box.cancelText, "");
    }
    EXPECT_EQ(Page()->RecordList()->currentRow(), 2);
    EXPECT_EQ(Page()->m_bSelectView, 0);
    EXPECT_EQ(ReadSection(kSectionGermanRussian).size(), 2u);

    ClickCommand(kUndoButton);
    EXPECT_EQ(ListTexts(), (QStringList{"HAUS", "BAUM"}));
    EXPECT_EQ(FieldText(0), "BAUM");
    EXPECT_FALSE(CommandEnabled(kUndoButton));
    ClickListItem(0);
    EXPECT_EQ(FieldText(0), "HAUS");
    EXPECT_EQ(MessagesShown(), 3u);
}

TEST_F(DataPageTest, UndoPutsThePadlockAndTheTextsBackAsTheRecordWasShown) {
    for (int locked : {0, 1}) {
        SCOPED_TRACE(locked);
        OpenDataPage({{kSectionTelephone, {Record({"ANNA", "1", "A"}, locked)}}});
        Load(kTelephoneRadio);
        OpenEditor();
        CPictureButtonBar* lockBar = Page()->LockBar();
        EXPECT_EQ(lockBar->ButtonState(0), locked);
        ClickLock();
        EXPECT_EQ(lockBar->ButtonState(0), 1 - locked);
        EXPECT_EQ(Page()->Editor().IsLocked(), locked == 0);
        EXPECT_TRUE(CommandEnabled(kUndoButton));
        ClickLock();
        ClickLock();
        TypeInto(0, "X");
        ClickCommand(kUndoButton);
        EXPECT_EQ(lockBar->ButtonState(0), locked);
        EXPECT_EQ(Page()->Editor().IsLocked(), locked == 1);
        EXPECT_EQ(FieldText(0), "ANNA");
        EXPECT_FALSE(CommandEnabled(kUndoButton));
        EXPECT_TRUE(Modified()) << "undo leaves the section marked";
        // The record itself never changed: saving writes it as it was.
        ClickCommand(kSaveButton);
        const auto onDisk = ReadSection(kSectionTelephone);
        ASSERT_EQ(onDisk.size(), 1u);
        EXPECT_EQ(onDisk[0].m_nLocked, locked);
        EXPECT_EQ(onDisk[0].m_lstFields[0], "ANNA");
        m_main.reset();
    }
}

TEST_F(DataPageTest, DeletingTheOnlyRecordLeavesTheEditorReadOnlyUntilANewOne) {
    OpenDataPage({{kSectionTelephone, {Record({"ANNA", "1", "A"}, 1)}}});
    Load(kTelephoneRadio);
    OpenEditor();
    ClickCommand(kDeleteButton);
    EXPECT_TRUE(ListTexts().isEmpty());
    EXPECT_EQ(Page()->m_nCurRecord, -1);
    for (int field = 0; field < 3; ++field) {
        EXPECT_TRUE(Field(field)->isReadOnly()) << field;
        EXPECT_EQ(FieldText(field), "") << field;
    }
    EXPECT_FALSE(Page()->LockBar()->isEnabled());
    EXPECT_EQ(Page()->LockBar()->ButtonState(0), 0);
    EXPECT_FALSE(CommandEnabled(kUndoButton));
    EXPECT_TRUE(Modified());
    ClickCommand(kDeleteButton); // nothing left to delete

    ClickCommand(kNewButton);
    EXPECT_TRUE(Page()->LockBar()->isEnabled());
    for (int field = 0; field < 3; ++field)
        EXPECT_FALSE(Field(field)->isReadOnly()) << field;
    TypeInto(0, "OTTO");
    ClickLock();
    ClickCommand(kSaveButton);
    const auto onDisk = ReadSection(kSectionTelephone);
    ASSERT_EQ(onDisk.size(), 1u);
    EXPECT_EQ(onDisk[0].m_lstFields, (std::vector<std::string>{"OTTO", "", ""}));
    EXPECT_EQ(onDisk[0].m_nLocked, 1);
    EXPECT_EQ(ListTexts(), QStringList{"OTTO"});
}

TEST_F(DataPageTest, ANewRecordLeftEmptyVanishesAndAFieldChoiceCommitsAPendingOne) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    ClickCommand(kNewButton);
    ClickListItem(0);
    EXPECT_EQ(ListTexts().size(), 4) << "the empty new record is deleted by its commit";

    ClickCommand(kNewButton);
    TypeInto(1, "5");
    QComboBox* combo = Page()->FieldCombo();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(ListTexts(), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(g_bNewRecord, 0);
    EXPECT_EQ(g_lstSnapshot, (std::vector<std::string>{"", "5", "", "0"}));
}

TEST_F(DataPageTest, FieldsTakeNoMoreThanTheHandheldStoresALineBreakCountingTwo) {
    struct Case {
        int radio;
        int section;
        int field;
        int limit;
    };
    const Case cases[] = {{kTelephoneRadio, 1, 0, 70}, {kTelephoneRadio, 1, 1, 55}, {kTelephoneRadio, 1, 2, 120},
                          {kScheduleRadio, 2, 2, 242}, {kErDictRadio, 3, 0, 46},    {kErDictRadio, 3, 1, 192},
                          {kReDictRadio, 4, 1, 192}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.section << "/" << c.field);
        OpenDataPage({{c.section, {}}});
        Load(c.radio);
        ClickCommand(kNewButton);
        TypeInto(c.field, QString(c.limit + 5, QLatin1Char('W')));
        EXPECT_EQ(FieldText(c.field).size(), static_cast<std::size_t>(c.limit));
        ClearField(c.field);
        TypeInto(c.field, QString(c.limit - 2, QLatin1Char('W')));
        QTest::keyClick(Field(c.field), Qt::Key_Return, Qt::ControlModifier);
        TypeInto(c.field, "Z");
        EXPECT_EQ(FieldText(c.field), std::string(static_cast<std::size_t>(c.limit - 2), 'W') + "\r\n");
        m_main.reset();
    }
}

TEST_F(DataPageTest, ADictionaryFieldAsksForTheKeyboardSideOfItsLanguage) {
    struct Case {
        int radio;
        int section;
        int field;
        int side; // 0 Latin, 1 Cyrillic
    };
    const Case cases[] = {
        {kErDictRadio, 3, 0, 0}, {kErDictRadio, 3, 1, 1}, {kReDictRadio, 4, 0, 1}, {kReDictRadio, 4, 1, 0}};
    OpenDataPage({{3, kDictionary}, {4, kDictionary}});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.section << "/" << c.field);
        if (Page()->m_bSelectView == 0)
            ClickCommand(kViewButton);
        Load(c.radio);
        OpenEditor();
        for (int start : {0, 1}) {
            Page()->RecordList()->setFocus();
            m_main->m_nKeyboardSide = start;
            Field(c.field)->setFocus();
            EXPECT_EQ(m_main->m_nKeyboardSide, c.side) << "from side " << start;
            EXPECT_EQ(g_bLatinKeyboard, c.side == 0 ? 1 : 0);
            EXPECT_EQ(m_main->OnScreenKeyboard()->m_nFaces[m_main->OnScreenKeyboard()->m_nFaceIndex],
                      c.side == 0 ? kFaceLatin : kFaceRussian);
        }
    }
}

TEST_F(DataPageTest, TelephoneFieldsLeaveTheKeyboardSideAlone) {
    OpenDataPage({{kSectionTelephone, kPhoneBook}});
    Load(kTelephoneRadio);
    OpenEditor();
    m_main->m_nKeyboardSide = 1;
    for (int field = 0; field < 3; ++field)
        Field(field)->setFocus();
    EXPECT_EQ(m_main->m_nKeyboardSide, 1);
}

TEST_F(DataPageTest, TheDictionaryEditorHasNoPadlockAndKeepsTheLockByte) {
    OpenDataPage({{kSectionRussianGerman, {Record({"\xC4\xCE\xCC", "HAUS"}, 1)}}});
    Load(kReDictRadio);
    OpenEditor();
    EXPECT_FALSE(Page()->LockBar()->isVisible());
    EXPECT_FALSE(Field(2)->isVisible());
    EXPECT_FALSE(Page()->FieldCaption(2)->isVisible());
    TypeInto(1, "CHEN");
    ClickCommand(kSaveButton);
    const auto onDisk = ReadSection(kSectionRussianGerman);
    ASSERT_EQ(onDisk.size(), 1u);
    EXPECT_EQ(onDisk[0].m_lstFields[1], "HAUSCHEN");
    EXPECT_EQ(onDisk[0].m_nLocked, 1);
}

} // namespace
