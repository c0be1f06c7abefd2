// The schedule in the editor: the pickers show a record's date and times, what is picked is what the
// file gets, and every picker notification marks the section changed.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/CFilterEdit.h"
#include "records/CDataPage.h"
#include "records/CDateTimePicker.h"
#include "records/DataPageFixture.h"
#include "records/SchedulePickers.h"
#include "records/SectionBytes.h"
#include "records/Sections.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

DateTimeValue At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    DateTimeValue value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

DateTimeValue TimeOfDay(int hour, int minute, int second = 0) {
    return At(1899, 12, 30, hour, minute, second);
}

// The date and times of a picker as the texts reduce them.
DateTimeValue Reduced(const DateTimeValue& value, bool date) {
    const auto parts = value.Split().value();
    return date ? At(parts.year, parts.month, parts.day) : TimeOfDay(parts.hour, parts.minute, parts.second);
}

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

TEST_F(ScheduleEditingTest, ThePickersShowTheRecordAndTheHiddenTextsHoldIt) {
    OpenSchedule();
    EXPECT_FALSE(Field(0)->isVisible());
    EXPECT_FALSE(Field(1)->isVisible());
    EXPECT_TRUE(Field(2)->isVisible());
    for (int id : {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER})
        EXPECT_TRUE(Picker(id)->isVisible()) << id;
    EXPECT_EQ(Reduced(Picker(IDC_DATE_PICKER)->GetTime(), true), At(2024, 3, 5));
    EXPECT_EQ(Reduced(Picker(IDC_START_PICKER)->GetTime(), false), TimeOfDay(9, 30));
    EXPECT_EQ(Reduced(Picker(IDC_END_PICKER)->GetTime(), false), TimeOfDay(10, 15));
    EXPECT_EQ(FieldText(0), "05/03/2024");
    EXPECT_EQ(FieldText(1), "09:30:00 - 10:15:00");
    EXPECT_FALSE(Modified()) << "showing a record is no change";
}

TEST_F(ScheduleEditingTest, WhatIsPickedIsSavedAsTheRecordsBytes) {
    OpenSchedule();
    // Through the pickers by keyboard: Up steps the part of the picker that the Tab selected.
    Field(2)->setFocus();
    Tab();
    ASSERT_EQ(QApplication::focusWidget(), Picker(IDC_DATE_PICKER));
    QTest::keyClick(Picker(IDC_DATE_PICKER), Qt::Key_Up);
    Tab();
    ASSERT_EQ(QApplication::focusWidget(), Picker(IDC_START_PICKER));
    QTest::keyClick(Picker(IDC_START_PICKER), Qt::Key_Up);
    Tab();
    QTest::keyClick(Picker(IDC_END_PICKER), Qt::Key_Up);
    QTest::keyClick(Picker(IDC_END_PICKER), Qt::Key_Up);
    const auto date = Picker(IDC_DATE_PICKER)->GetTime().Split().value();
    const auto start = Picker(IDC_START_PICKER)->GetTime().Split().value();
    const auto end = Picker(IDC_END_PICKER)->GetTime().Split().value();
    EXPECT_NE(Reduced(Picker(IDC_DATE_PICKER)->GetTime(), true), At(2024, 3, 5));
    EXPECT_NE(start.hour * 60 + start.minute, 9 * 60 + 30);
    EXPECT_NE(end.hour * 60 + end.minute, 10 * 60 + 15);

    ClickCommand(kSaveButton);
    const std::string expected = RecordBytes(
        Bytes({date.month, date.day, date.year - 1900, 0x6E, 0, start.hour, start.minute, end.hour, end.minute, 0}) +
        "ZAHNARZT" + '\0');
    EXPECT_EQ(ReadFileBytes(GetSectionFileName(kSectionSchedule)), PacketBytes('S', 0, expected));
    EXPECT_EQ(ListTexts(), QStringList{QString::fromStdString(FieldText(0))});
}

TEST_F(ScheduleEditingTest, MerelyTabbingThroughAPickerMarksTheSectionChanged) {
    OpenSchedule();
    Field(2)->setFocus();
    Tab();
    EXPECT_EQ(QApplication::focusWidget(), Picker(IDC_DATE_PICKER));
    Tab();
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(CommandEnabled(kUndoButton)) << "a picker's notice does not offer undo";
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessagesShown(), 1u);
    EXPECT_EQ(LastMessage(), Text("80"));
}

TEST_F(ScheduleEditingTest, ANewRecordStartsAtThePresentMoment) {
    OpenSchedule();
    ClickCommand(kNewButton);
    for (int id : {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER})
        EXPECT_EQ(Picker(id)->GetTime(), At(2024, 5, 17, 10, 20, 30)) << id;
    EXPECT_EQ(FieldText(0), "17/05/2024");
    EXPECT_EQ(FieldText(1), "10:20:30 - 10:20:30");
    EXPECT_TRUE(Field(2)->hasFocus());
    TypeInto(2, "NEU");
    ClickCommand(kSaveButton);
    const auto onDisk = ReadFileBytes(GetSectionFileName(kSectionSchedule));
    EXPECT_NE(onDisk.find(Bytes({5, 17, 124, 0x6E, 0, 10, 20, 10, 20, 0}) + "NEU"), std::string::npos);
}

TEST_F(ScheduleEditingTest, UndoPutsThePickersBackWithTheirTexts) {
    OpenSchedule();
    Field(2)->setFocus();
    Tab();
    QTest::keyClick(Picker(IDC_DATE_PICKER), Qt::Key_Up);
    TypeInto(2, "X");
    ClickCommand(kUndoButton);
    EXPECT_EQ(Reduced(Picker(IDC_DATE_PICKER)->GetTime(), true), At(2024, 3, 5));
    EXPECT_EQ(Picker(IDC_DATE_PICKER)->ReadControl().Split()->day, 5);
    EXPECT_EQ(FieldText(0), "05/03/2024");
    EXPECT_EQ(FieldText(2), "ZAHNARZT");
    ClickCommand(kSaveButton);
    EXPECT_EQ(ReadSection(kSectionSchedule)[0].m_lstFields[0], "05/03/2024");
}

TEST_F(ScheduleEditingTest, WithoutARecordThePickersAreDisabledAtThePresentMoment) {
    OpenSchedule();
    ClickCommand(kDeleteButton);
    for (int id : {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER}) {
        EXPECT_FALSE(Picker(id)->isEnabled()) << id;
        EXPECT_EQ(Picker(id)->GetTime(), At(2024, 5, 17, 10, 20, 30)) << id;
    }
    ClickCommand(kNewButton);
    for (int id : {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER})
        EXPECT_TRUE(Picker(id)->isEnabled()) << id;
}

} // namespace
