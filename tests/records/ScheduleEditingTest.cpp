// The schedule in the editor: the pickers show a record's date and times, what is picked is what the
// file gets, and every picker notification marks the section changed.
#include "records/DataPageFixture.h"
#include "records/SchedulePickers.h"

#include <QApplication>

namespace {

const int kPickers[] = {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER};

DateTimeValue::Parts PickerParts(CDateTimePicker* picker) { return picker->GetTime().Split().value(); }

class ScheduleEditingTest : public DataPageTest {
protected:
    void OpenSchedule() {
        // 5 March 2024, 09:30 to 10:15, day first and the 24-hour clock (the default locale source).
        OpenDataPage({{kSectionSchedule, {Record({"05/03/2024", "09:30:00 - 10:15:00", "ZAHNARZT"})}}});
        Load(kScheduleRadio);
        OpenEditor();
    }
    void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
};

TEST_F(ScheduleEditingTest, WhatIsPickedIsSavedAsTheRecordsBytes) {
    OpenSchedule();
    EXPECT_FALSE(Field(0)->isVisible());
    EXPECT_FALSE(Modified()) << "showing a record is no change";
    // Through the pickers by keyboard: Up steps the part of the picker that the Tab selected.
    Field(2)->setFocus();
    for (int id : kPickers) {
        Tab();
        ASSERT_EQ(QApplication::focusWidget(), Picker(id));
        QTest::keyClick(Picker(id), Qt::Key_Up);
    }
    const auto date = PickerParts(Picker(IDC_DATE_PICKER));
    const auto start = PickerParts(Picker(IDC_START_PICKER));
    const auto end = PickerParts(Picker(IDC_END_PICKER));
    EXPECT_NE(date.day, 5);

    ClickCommand(kSaveButton);
    const std::string expected = RecordBytes(
        Bytes({date.month, date.day, date.year - 1900, 0x6E, 0, start.hour, start.minute, end.hour, end.minute, 0}) +
        "ZAHNARZT" + '\0');
    EXPECT_EQ(ReadFileBytes(GetSectionFileName(kSectionSchedule)), PacketBytes('S', 0, expected));
    EXPECT_EQ(ListTexts(), QStringList{QString::fromStdString(FieldText(0))});
}

// A picker's notice marks the section changed without offering undo; undo puts the pickers back.
TEST_F(ScheduleEditingTest, PickerNoticesMarkTheSectionChangedAndUndoPutsThePickersBack) {
    OpenSchedule();
    Field(2)->setFocus();
    Tab();
    EXPECT_EQ(QApplication::focusWidget(), Picker(IDC_DATE_PICKER));
    Tab();
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(CommandEnabled(kUndoButton));

    const DateTimeValue start = Picker(IDC_START_PICKER)->ReadControl();
    QTest::keyClick(Picker(IDC_START_PICKER), Qt::Key_Up);
    ASSERT_NE(Picker(IDC_START_PICKER)->ReadControl(), start);
    TypeInto(2, "X");
    ClickCommand(kUndoButton);
    EXPECT_EQ(Picker(IDC_START_PICKER)->ReadControl(), start);
    EXPECT_EQ(FieldText(1), "09:30:00 - 10:15:00");
    EXPECT_EQ(FieldText(2), "ZAHNARZT");

    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessagesShown(), 1u);
    EXPECT_EQ(LastMessage(), Text("80"));
}

// Without a record the pickers are disabled at the present moment; a new record starts there.
TEST_F(ScheduleEditingTest, ANewRecordStartsAtThePresentMoment) {
    OpenSchedule();
    ClickCommand(kDeleteButton);
    EXPECT_FALSE(Picker(IDC_END_PICKER)->isEnabled());
    ClickCommand(kNewButton);
    EXPECT_TRUE(Picker(IDC_END_PICKER)->isEnabled());
    EXPECT_EQ(FieldText(1), "10:20:30 - 10:20:30");
    EXPECT_TRUE(Field(2)->hasFocus());
    TypeInto(2, "NEU");
    ClickCommand(kSaveButton);
    EXPECT_EQ(ReadFileBytes(GetSectionFileName(kSectionSchedule)),
              PacketBytes('S', 0, RecordBytes(Bytes({5, 17, 124, 0x6E, 0, 10, 20, 10, 20, 0}) + "NEU" + '\0')));
}

} // namespace
