// Record editing: committing and deleting emptied records, the dictionary check, new, delete, undo and
// lock with their effects on the list and its highlight, field limits, and the keyboard side of a
// dictionary field.
#include "controls/CTipWindow.h"
#include "keyboard/COnScreenKeyboard.h"
#include "keyboard/KeyboardSide.h"
#include "records/DataPageFixture.h"
#include "records/EditorLayout.h"
#include "records/RecordEditor.h"

TEST_F(DataPageTest, ANewDictionaryRecordMustHaveBothWordsAndUndoTakesItAway) {
    OpenRecords(kSectionGermanRussian, kDictionary, false);
    ClickCommand(kNewButton);
    EXPECT_EQ(Page()->m_bSelectView, 0) << "the editor opens for the new record";
    EXPECT_EQ(ListTexts(), (QStringList{"HAUS", "BAUM", QString::fromStdString(Text("61"))}));
    EXPECT_TRUE(Field(0)->hasFocus());
    TypeInto(0, "TISCH");
    // Neither another record, nor the view switch, nor a save leaves a record lacking a word.
    for (int i = 0; i < 3; ++i)
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ClickListItem(0);
    ClickCommand(kViewButton);
    ClickCommand(kSaveButton);
    ASSERT_EQ(MessagesShown(), 3u);
    for (const ShownMessageBox& box : MessageBoxSeam::Shown())
        EXPECT_EQ(box.message, Text("79"));
    EXPECT_EQ(Page()->RecordList()->currentRow(), 2);
    EXPECT_EQ(Page()->m_bSelectView, 0);
    EXPECT_EQ(ReadSection(kSectionGermanRussian).size(), 2u);

    ClickCommand(kUndoButton);
    EXPECT_EQ(ListTexts(), (QStringList{"HAUS", "BAUM"}));
    EXPECT_EQ(FieldText(0), "BAUM");
    ClickListItem(0);
    EXPECT_EQ(MessagesShown(), 3u);
}

TEST_F(DataPageTest, UndoPutsThePadlockAndTheTextsBackAsTheRecordWasShown) {
    for (int locked : {0, 1}) {
        SCOPED_TRACE(locked);
        OpenRecords(kSectionTelephone, {Record({"ANNA", "1", "A"}, locked)});
        CPictureButtonBar* lockBar = Page()->LockBar();
        EXPECT_EQ(lockBar->ButtonState(0), locked);
        ClickLock();
        EXPECT_EQ(lockBar->ButtonState(0), 1 - locked);
        EXPECT_EQ(Page()->LockTip()->ToolTextAt(lockBar->ButtonRect(0).center()), Text(locked ? "30" : "31"));
        ClickLock();
        ClickLock();
        TypeInto(0, "X");
        ClickCommand(kUndoButton);
        EXPECT_EQ(lockBar->ButtonState(0), locked);
        EXPECT_EQ(FieldText(0), "ANNA");
        EXPECT_FALSE(CommandEnabled(kUndoButton));
        // The record itself never changed: saving writes it as it was.
        ClickCommand(kSaveButton);
        const auto onDisk = ReadSection(kSectionTelephone);
        ASSERT_EQ(onDisk.size(), 1u);
        EXPECT_EQ(onDisk[0].m_nLocked, locked);
        EXPECT_EQ(onDisk[0].m_lstFields[0], "ANNA");
    }
}

TEST_F(DataPageTest, DeletingTheOnlyRecordLeavesTheEditorReadOnlyUntilANewOne) {
    OpenRecords(kSectionTelephone, {Record({"ANNA", "1", "A"}, 1)});
    ClickCommand(kDeleteButton);
    EXPECT_TRUE(ListTexts().isEmpty());
    EXPECT_TRUE(Field(2)->isReadOnly());
    EXPECT_EQ(FieldText(0), "");
    EXPECT_FALSE(Page()->LockBar()->isEnabled());
    ClickCommand(kDeleteButton); // nothing left to delete

    ClickCommand(kNewButton);
    EXPECT_TRUE(Page()->LockBar()->isEnabled());
    EXPECT_FALSE(Field(2)->isReadOnly());
    // The field takes no more than the handheld stores (how the limit counts is the field's own test).
    const int limit = FieldLengthLimit(kSectionTelephone, 0);
    TypeInto(0, QString(limit + 5, QLatin1Char('W')));
    ClickLock();
    ClickCommand(kSaveButton);
    const auto onDisk = ReadSection(kSectionTelephone);
    ASSERT_EQ(onDisk.size(), 1u);
    EXPECT_EQ(onDisk[0].m_lstFields, (std::vector<std::string>{std::string(limit, 'W'), "", ""}));
    EXPECT_EQ(onDisk[0].m_nLocked, 1);
}

// A dictionary field asks for the keyboard side of its language; a telephone field leaves it alone. The
// dictionary editor has no padlock, and its saves keep the lock byte.
TEST_F(DataPageTest, ADictionaryFieldAsksForTheKeyboardSideOfItsLanguage) {
    const std::tuple<int, int, int> cases[] = {// radio, field, side (0 Latin, 1 Cyrillic, -1 unchanged)
                                               {kTelephoneRadio, 0, -1},
                                               {kErDictRadio, 0, 0},
                                               {kErDictRadio, 1, 1},
                                               {kReDictRadio, 0, 1},
                                               {kReDictRadio, 1, 0}};
    OpenDataPage({{1, kPhoneBook}, {3, kDictionary}, {4, kDictionary}});
    for (const auto& [radio, field, side] : cases) {
        SCOPED_TRACE(testing::Message() << radio << "/" << field);
        if (Page()->m_bSelectView == 0)
            ClickCommand(kViewButton);
        Load(radio);
        OpenEditor();
        EXPECT_EQ(Page()->LockBar()->isVisible(), radio == kTelephoneRadio);
        EXPECT_EQ(Field(2)->isVisible(), radio == kTelephoneRadio);
        for (int start : {0, 1}) {
            Page()->RecordList()->setFocus();
            m_main->m_nKeyboardSide = start;
            Field(field)->setFocus();
            const int expected = side < 0 ? start : side;
            EXPECT_EQ(m_main->m_nKeyboardSide, expected) << "from side " << start;
            if (side >= 0) {
                EXPECT_EQ(m_main->OnScreenKeyboard()->m_nFaces[m_main->OnScreenKeyboard()->m_nFaceIndex],
                          side == 0 ? kFaceLatin : kFaceRussian);
            }
        }
    }
    TypeInto(1, "CHEN");
    ClickCommand(kSaveButton);
    const auto onDisk = ReadSection(kSectionRussianGerman);
    ASSERT_EQ(onDisk.size(), 2u);
    EXPECT_EQ(onDisk[0].m_lstFields[1], "\xC4\xCE\xCC"
                                        "CHEN");
    EXPECT_EQ(onDisk[0].m_nLocked, 1);
}

TEST_F(DataPageTest, TheListHighlightIsOnTheRecordShown) {
    const struct {
        const char* name;
        int section, emptiedFields, clicked, shown, left; // clicked -1: below the last item
    } cases[] = {
        {"a refused record check keeps the record", kSectionGermanRussian, 1, 1, 0, 2},
        // The emptied first record goes: the clicked place of the shortened list is shown, or its last.
        {"a commit deletes the emptied record", kSectionTelephone, 3, 1, 1, 2},
        {"a commit deletes the emptied record before the last", kSectionTelephone, 3, 2, 1, 2},
        {"a click below the last item chooses nothing", kSectionTelephone, 0, -1, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenRecords(c.section, c.section == kSectionTelephone ? kPhoneBook : kDictionary);
        for (int field = 0; field < c.emptiedFields; ++field) {
            Field(field)->setFocus();
            QTest::keyClick(Field(field), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(Field(field), Qt::Key_Delete);
        }
        MessageBoxSeam::QueueAnswer(IDOK_RESULT); // for the check's message
        QListWidget* list = Page()->RecordList();
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          c.clicked < 0 ? QPoint(10, last.bottom() + 10)
                                        : list->visualItemRect(list->item(c.clicked)).center());
        EXPECT_EQ(MessagesShown(), c.section == kSectionGermanRussian ? 1u : 0u) << "no question before a delete";
        EXPECT_EQ(list->count(), c.left);
        EXPECT_EQ(Modified(), c.emptiedFields > 0);
        EXPECT_EQ(Page()->m_nCurRecord, c.shown);
        EXPECT_EQ(list->currentRow(), c.shown);
        EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(c.shown)});
    }
}
