// The schedule in the editor: the pickers show a record's date and times, what is picked is what the
// file gets, and every picker notification marks the section changed; the texts of a record through the
// pickers and back, in the date order and clock the system's locale gives them.
#include "records/DataPageFixture.h"
#include "records/SchedulePickers.h"
#include "records/ScopedLocale.h"
#include "records/SystemLocaleSource.h"

#include <QApplication>
#include <QCalendarWidget>

namespace {

DateTimeValue At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    DateTimeValue value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

// 5 March 2024, 09:30 to 10:15, day first and the 24-hour clock (the default locale source).
const std::vector<SectionRecord> kSchedule = {Record({"05/03/2024", "09:30:00 - 10:15:00", "ZAHNARZT"})};

void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

TEST_F(DataPageTest, WhatIsPickedIsSavedAsTheRecordsBytes) {
    OpenRecords(kSectionSchedule, kSchedule);
    EXPECT_FALSE(Field(0)->isVisible());
    EXPECT_FALSE(Modified()) << "showing a record is no change";
    // Through the pickers by keyboard: Up steps the part of the picker that the Tab selected.
    Field(2)->setFocus();
    for (int id : {IDC_DATE_PICKER, IDC_START_PICKER, IDC_END_PICKER}) {
        Tab();
        ASSERT_EQ(QApplication::focusWidget(), Picker(id));
        QTest::keyClick(Picker(id), Qt::Key_Up);
    }
    ClickCommand(kSaveButton);
    const std::string expected = RecordBytes(Bytes({3, 6, 124, 0x6E, 0, 10, 30, 11, 15, 0}) + "ZAHNARZT" + '\0');
    EXPECT_EQ(ReadFileBytes(GetSectionFileName(kSectionSchedule)), PacketBytes('S', 0, expected));
    EXPECT_EQ(ListTexts(), QStringList{"06/03/2024"});
}

// A picker's notice marks the section changed without offering undo; undo puts the pickers back.
TEST_F(DataPageTest, PickerNoticesMarkTheSectionChangedAndUndoPutsThePickersBack) {
    OpenRecords(kSectionSchedule, kSchedule);
    Field(2)->setFocus();
    Tab();
    Tab();
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(CommandEnabled(kUndoButton));

    const DateTimeValue start = Picker(IDC_START_PICKER)->ReadControl();
    QTest::keyClick(Picker(IDC_START_PICKER), Qt::Key_Up);
    EXPECT_EQ(FieldText(1), "10:30:00 - 10:15:00") << "the change is told once the picker holds it";
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
TEST_F(DataPageTest, ANewRecordStartsAtThePresentMoment) {
    OpenRecords(kSectionSchedule, kSchedule);
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

// A picker with a calendar (the schedule's date picker steps instead) holds the calendar's moves back
// and tells them once, as it closes.
TEST(DateTimePickerTest, CalendarChangesAreHeldBackAndReportedOnceWhenItCloses) {
    std::vector<int> codes; // outlives the picker, which reports its last loss of focus as it goes
    CDateTimePicker picker;
    picker.Create(DTS_SHORTDATEFORMAT | WS_TABSTOP, QRect(10, 10, 160, 24), nullptr, 2519);
    picker.SetTime(At(2001, 3, 5));
    picker.show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
    QObject::connect(&picker, &CDateTimePicker::Notify, [&](int, int code) { codes.push_back(code); });
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(picker.width() - 5, picker.height() / 2)); // the arrow
    ASSERT_TRUE(picker.IsDroppedDown());
    QWidget* days = picker.calendarWidget()->focusWidget();
    QTest::keyClick(days, Qt::Key_Right);
    QTest::keyClick(days, Qt::Key_Right);
    EXPECT_EQ(picker.GetTime(), At(2001, 3, 5)) << "held back while the calendar is open";
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_EQ(picker.GetTime(), At(2001, 3, 7));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), DTN_DATETIMECHANGE), 1);
    EXPECT_EQ(codes.front(), DTN_DROPDOWN);
}

// A text that does not read leaves its picker at the value read before it.
TEST(SchedulePickersTest, TheTextsOfARecordGoIntoThePickersAndComeBackTheSame) {
    struct Case {
        const char *order, *clock, *date, *times, *timesBack;
        DateTimeValue start;
    };
    const Case cases[] = {
        {"1", "1", "05/03/2001", "08:00:00 - 09:30:00", "08:00:00 - 09:30:00", At(1899, 12, 30, 8, 0)},
        {"0", "0", "03/05/2001", "12:05:00AM - 02:05:00PM", "12:05:00AM - 02:05:00PM", At(1899, 12, 30, 0, 5)},
        {"1", "1", "05/03/2001", "NOON - 09:30:00", "00:00:00 - 09:30:00", At(2001, 3, 5)},
    };
    QWidget page;
    SchedulePickers pickers;
    pickers.Create(&page);
    CFilterEdit dateText(&page), timesText(&page);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.times);
        ScopedLocale locale(c.order, c.clock);
        const SectionRecord record = Record({c.date, c.times, "TEXT"});
        pickers.ShowScheduleInPickers(&record, false);
        EXPECT_EQ(pickers.Picker(0).GetTime(), At(2001, 3, 5));
        EXPECT_EQ(pickers.Picker(1).GetTime(), c.start);
        pickers.PickersToTexts(dateText, timesText);
        EXPECT_EQ(dateText.GetText(), c.date);
        EXPECT_EQ(timesText.GetText(), c.timesBack);
    }
}

TEST(SystemLocaleSourceTest, OrderAndClockFollowTheLocalesFormats) {
    // locale, date order, clock
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"de_DE", "1", "1"}, {"en_US", "0", "0"}, {"ja_JP", "2", "1"}, {"ko_KR", "2", "0"}, {"sv_SE", "2", "1"}};
    for (const auto& [locale, order, clock] : cases) {
        SCOPED_TRACE(locale);
        SystemLocaleSource source{QLocale(QString::fromLatin1(locale))};
        EXPECT_EQ(source.DateOrder(), order);
        EXPECT_EQ(source.ClockFormat(), clock);
    }
}

} // namespace
