// The Data page in the main window, driven as a user drives it: radios, OK, the list, the command bar,
// the padlock and typing into the fields.
#pragma once

#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "records/CDataPage.h"
#include "records/CDateTimePicker.h"
#include "records/SectionBytes.h"
#include "records/SectionFile.h"
#include "records/Sections.h"
#include "support/WindowTest.h"

#include <QListWidget>
#include <QTest>

inline constexpr int kTelephoneRadio = 1119, kScheduleRadio = 1022, kErDictRadio = 1028, kReDictRadio = 1027;
// The radio of each section, by the section's number.
inline constexpr int kSectionRadios[] = {0, kTelephoneRadio, kScheduleRadio, kErDictRadio, kReDictRadio};

inline const std::vector<SectionRecord> kPhoneBook = {Record({"ANNA", "030 111", "BERLIN"}),
                                                      Record({"BERND", "040 222", "HAMBURG"}),
                                                      Record({"CARLA", "089 333", "ROM"})};
inline const std::vector<SectionRecord> kDictionary = {Record({"HAUS", "\xC4\xCE\xCC"}, 1),
                                                       Record({"BAUM", "\xC4\xC5\xD0\xC5\xC2\xCE"})};

class DataPageTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The delivered profile, these section files, and the main window on the Data tab; a window opened
    // before in the test goes first, and the messages it showed are forgotten.
    void OpenDataPage(const std::vector<std::pair<int, std::vector<SectionRecord>>>& sections = {});
    // The page with these records as the section's file, loaded, and in the editor unless told
    // otherwise.
    void OpenRecords(int section, const std::vector<SectionRecord>& records, bool inEditor = true);
    // The records of a section file as it stands on disk.
    static std::vector<SectionRecord> ReadSection(int section);

    CDataPage* Page() const { return g_pDataPage; }
    QWidget* Control(int id) const { return Page()->Item(id); }
    CFilterEdit* Field(int field) const { return Page()->FieldEdit(field); }
    CDateTimePicker* Picker(int id) const { return Page()->Item<CDateTimePicker>(id); }

    // The radio of the section, then OK.
    void Load(int radioId) {
        ClickButton(Control(radioId));
        ClickButton(Control(1));
    }
    void ClickListItem(int row);
    void ClickCommand(int button) { ClickBar(Page()->CommandBar(), button); }
    void ClickLock() { ClickBar(Page()->LockBar(), 0); }
    void OpenEditor(); // the view button, when the section choice is shown
    // Puts the focus into the field and types the text, each character a key.
    void TypeInto(int field, const QString& text);

    QStringList ListTexts() const;
    std::string FieldText(int field) const { return Field(field)->GetText(); }
    bool CommandEnabled(int button) const { return !Page()->CommandBar()->IsButtonDisabled(button); }
    // Whether the main window would ask about unsaved changes.
    bool Modified() const { return Page()->m_bModified != 0; }
    std::string LastMessage() const;
    std::size_t MessagesShown() const { return MessageBoxSeam::Shown().size(); }

    static std::string Text(const char* key); // the German text of a key

private:
    static void ClickBar(CPictureButtonBar* bar, int button);
};
