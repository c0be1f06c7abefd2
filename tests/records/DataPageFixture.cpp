// The Data page in the main window, driven as a user drives it.
#include "records/DataPageFixture.h"

#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/Texts.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "controls/PcString.h"
#include "records/CDataPage.h"
#include "records/CDateTimePicker.h"
#include "records/DataPageViews.h"
#include "records/SectionFile.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>

void DataPageTest::SetUp() {
    MainWindowTest::SetUp();
    DataPageViews::SetSlidePause([](QWidget*) {});
    // A fixed present moment: Friday 17 May 2024, 10:20:30.
    CDateTimePicker::SetPresentMomentSource([] {
        DateTimeValue now;
        now.SetDateTime(2024, 5, 17, 10, 20, 30);
        return now;
    });
    g_records.clear();
}

void DataPageTest::TearDown() {
    MainWindowTest::TearDown();
    DataPageViews::SetSlidePause(nullptr);
    CDateTimePicker::SetPresentMomentSource(nullptr);
    g_records.clear();
}

void DataPageTest::OpenDataPage(const std::vector<std::pair<int, std::vector<SectionRecord>>>& sections) {
    m_temp.InstallDeliveredProfile();
    for (const auto& [section, records] : sections)
        WriteSection(section, records);
    OpenMainWindow();
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    ClickTab(1);
    ASSERT_TRUE(Page()->isVisible());
}

void DataPageTest::WriteSection(int section, std::vector<SectionRecord> records) {
    g_records = std::move(records);
    ASSERT_TRUE(SaveSection(section));
    g_records.clear();
}

std::vector<SectionRecord> DataPageTest::ReadSection(int section) {
    SectionRecord converter;
    return ReadSectionBytes(ReadFileBytes(GetSectionFileName(section)), section, converter).records;
}

CDataPage* DataPageTest::Page() const {
    return g_pDataPage;
}
QWidget* DataPageTest::Control(int id) const {
    return Page()->Item(id);
}
CFilterEdit* DataPageTest::Field(int field) const {
    return Page()->FieldEdit(field);
}
CDateTimePicker* DataPageTest::Picker(int id) const {
    return Page()->Item<CDateTimePicker>(id);
}

void DataPageTest::Load(int radioId) {
    ClickButton(Control(radioId));
    ClickButton(Control(1));
}

void DataPageTest::ClickListItem(int row) {
    QListWidget* list = Page()->RecordList();
    ASSERT_LT(row, list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
}

void DataPageTest::ClickCommand(int button) {
    CPictureButtonBar* bar = Page()->CommandBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->ButtonRect(button).center());
}

void DataPageTest::ClickLock() {
    CPictureButtonBar* bar = Page()->LockBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->ButtonRect(0).center());
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

void DataPageTest::ClearField(int field) {
    Field(field)->setFocus();
    QTest::keyClick(Field(field), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Field(field), Qt::Key_Delete);
}

QStringList DataPageTest::ListTexts() const {
    QStringList texts;
    QListWidget* list = Page()->RecordList();
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

std::string DataPageTest::FieldText(int field) const {
    return Field(field)->GetText();
}
bool DataPageTest::CommandEnabled(int button) const {
    return !Page()->CommandBar()->IsButtonDisabled(button);
}
bool DataPageTest::Modified() const {
    return Page()->m_bModified != 0;
}

std::string DataPageTest::LastMessage() const {
    const auto& shown = MessageBoxSeam::Shown();
    return shown.empty() ? std::string() : shown.back().message;
}

std::size_t DataPageTest::MessagesShown() const {
    return MessageBoxSeam::Shown().size();
}

SectionRecord Record(std::vector<std::string> fields, int locked) {
    SectionRecord record("", "");
    record.m_lstFields = std::move(fields);
    record.m_nLocked = locked;
    return record;
}

std::string DataPageTest::Text(const char* key) {
    return LookupText(kGermanSection, key);
}
