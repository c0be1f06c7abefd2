// The Data page in the main window, driven as a user drives it.
#include "records/DataPageFixture.h"

#include "app/Profile.h"
#include "records/DataPageInterchange.h"
#include "records/DataPageViews.h"
#include "records/SectionFormat.h"

void DataPageTest::SetUp() {
    MainWindowTest::SetUp();
    DataPageViews::SetSlidePause([](QWidget*) {});
    // A fixed present moment: Friday 17 May 2024, 10:20:30.
    CDateTimePicker::SetPresentMomentSource([] {
        DateTimeValue now;
        now.SetDateTime(2024, 5, 17, 10, 20, 30);
        return now;
    });
}

void DataPageTest::TearDown() {
    MainWindowTest::TearDown();
    DataPageViews::SetSlidePause(nullptr);
    DataPageInterchange::SetFileQuestion(nullptr);
    CDateTimePicker::SetPresentMomentSource(nullptr);
    g_records.clear();
}

void DataPageTest::OpenDataPage(const std::vector<std::pair<int, std::vector<SectionRecord>>>& sections) {
    m_main.reset();
    MessageBoxSeam::Reset();
    for (const auto& [section, records] : sections) {
        g_records = records;
        ASSERT_TRUE(SaveSection(section));
    }
    g_records.clear();
    OpenMainWindow();
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    ClickTab(1);
    ASSERT_TRUE(Page()->isVisible());
}

void DataPageTest::OpenRecords(int section, const std::vector<SectionRecord>& records, bool inEditor) {
    OpenDataPage({{section, records}});
    Load(kSectionRadios[section]);
    if (inEditor)
        OpenEditor();
}

std::vector<SectionRecord> DataPageTest::ReadSection(int section) {
    SectionRecord converter;
    return ReadSectionBytes(ReadFileBytes(GetSectionFileName(section)), section, converter).records;
}

void DataPageTest::ClickListItem(int row) {
    QListWidget* list = Page()->RecordList();
    ASSERT_LT(row, list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
}

void DataPageTest::ClickBar(CPictureButtonBar* bar, int button) {
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->ButtonRect(button).center());
}

void DataPageTest::OpenEditor() {
    ASSERT_EQ(Page()->m_bSelectView, 1);
    ClickCommand(kViewButton);
    ASSERT_EQ(Page()->m_bSelectView, 0);
}

void DataPageTest::TypeInto(int field, const QString& text) {
    Field(field)->setFocus();
    Field(field)->moveCursor(QTextCursor::End);
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, Field(field), Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

QStringList DataPageTest::ListTexts() const {
    QStringList texts;
    for (int i = 0; i < Page()->RecordList()->count(); ++i)
        texts << Page()->RecordList()->item(i)->text();
    return texts;
}

std::string DataPageTest::LastMessage() const {
    return MessageBoxSeam::Shown().empty() ? std::string() : MessageBoxSeam::Shown().back().message;
}

std::string DataPageTest::Text(const char* key) { return LookupText(kGermanSection, key); }
