// The date and time picker on its own: what it reports to its parent and when, and the texts of a
// schedule record that the three pickers of the Data page stand for.
#include "records/CDateTimePicker.h"

#include "controls/CFilterEdit.h"
#include "records/DateTimeText.h"
#include "records/SchedulePickers.h"
#include "records/ScopedLocale.h"
#include "records/SectionRecord.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

DateTimeValue At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    DateTimeValue value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

// A parent that writes down every notification with the value the picker held when it came.
class PickerTest : public ::testing::Test {
protected:
    struct Seen {
        int code;
        DateTimeValue held;
    };

    void Make(unsigned style) {
        m_picker = new CDateTimePicker;
        m_picker->Create(style | WS_TABSTOP, QRect(10, 10, 160, 24), &m_parent, 2519);
        m_other = new QLineEdit(&m_parent);
        m_other->move(10, 50);
        QObject::connect(m_picker, &CDateTimePicker::Notify, [this](int id, int code) {
            EXPECT_EQ(id, 2519);
            m_seen.push_back({code, m_picker->GetTime()});
        });
        m_parent.resize(300, 100);
        m_parent.show();
        m_parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_parent));
    }

    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const Seen& seen : m_seen)
            codes.push_back(seen.code);
        return codes;
    }

    std::vector<Seen> m_seen; // outlives the picker, which reports its last loss of focus as it goes
    QWidget m_parent;
    CDateTimePicker* m_picker = nullptr;
    QLineEdit* m_other = nullptr;
};

TEST_F(PickerTest, SettingTheValueIsNoChangeAndAUserChangeArrivesAfterThePickerTookIt) {
    Make(DTS_TIMEFORMAT);
    m_picker->SetTime(At(2001, 3, 5, 8, 0, 0));
    m_other->setFocus();
    m_seen.clear();
    EXPECT_EQ(m_picker->ReadControl(), At(2001, 3, 5, 8, 0, 0));

    m_picker->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_picker, Qt::Key_Up);
    m_other->setFocus();
    ASSERT_EQ(Codes(), (std::vector<int>{NM_SETFOCUS, DTN_DATETIMECHANGE, NM_KILLFOCUS}));
    EXPECT_EQ(m_seen[1].held, m_picker->ReadControl()) << "the parent reads the new value";
    EXPECT_NE(m_seen[1].held, At(2001, 3, 5, 8, 0, 0));
}

TEST_F(PickerTest, CalendarChangesAreHeldBackAndReportedOnceWhenItCloses) {
    Make(DTS_SHORTDATEFORMAT);
    m_picker->SetTime(At(2001, 3, 5));
    m_picker->setFocus();
    m_seen.clear();
    // A click on the arrow drops the calendar down.
    QTest::mouseClick(m_picker, Qt::LeftButton, {}, QPoint(m_picker->width() - 5, m_picker->height() / 2));
    QCalendarWidget* calendar = m_picker->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_TRUE(m_picker->IsDroppedDown());
    QWidget* days = calendar->focusWidget() ? calendar->focusWidget() : calendar;
    QTest::keyClick(days, Qt::Key_Right);
    QTest::keyClick(days, Qt::Key_Right);
    EXPECT_EQ(m_picker->GetTime(), At(2001, 3, 5)) << "held back while the calendar is open";
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_FALSE(m_picker->IsDroppedDown());
    EXPECT_EQ(m_picker->GetTime(), At(2001, 3, 7));
    const std::vector<int> codes = Codes();
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
        SectionRecord record("", "");
        record.m_lstFields = {c.date, c.times, "TEXT"};
        pickers.ShowScheduleInPickers(&record, false);
        EXPECT_EQ(pickers.Picker(0).GetTime(), At(2001, 3, 5));
        EXPECT_EQ(pickers.Picker(1).GetTime(), c.start);
        pickers.PickersToTexts(dateText, timesText);
        EXPECT_EQ(dateText.GetText(), c.date);
        EXPECT_EQ(timesText.GetText(), c.timesBack);
    }
}

} // namespace
