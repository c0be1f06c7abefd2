// The Data page in the main window, driven as a user drives it: radios, OK, the list, the command bar,
// the padlock and typing into the fields.
#pragma once

#include "records/SectionRecord.h"
#include "support/WindowTest.h"

#include <QStringList>

#include <string>
#include <vector>

class CDataPage;
class CDateTimePicker;
class CFilterEdit;
class QPoint;
class QWidget;

// A record of PC texts.
SectionRecord Record(std::vector<std::string> fields, int locked = 0);

inline constexpr int kTelephoneRadio = 1119, kScheduleRadio = 1022, kErDictRadio = 1028, kReDictRadio = 1027;

class DataPageTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The delivered profile, these section files, and the main window on the Data tab.
    void OpenDataPage(const std::vector<std::pair<int, std::vector<SectionRecord>>>& sections = {});
    // Writes a section file (the profile must be installed for its conversion tables).
    static void WriteSection(int section, std::vector<SectionRecord> records);
    // The records of a section file as it stands on disk.
    static std::vector<SectionRecord> ReadSection(int section);

    CDataPage* Page() const;
    QWidget* Control(int id) const;
    CFilterEdit* Field(int field) const;
    CDateTimePicker* Picker(int id) const;

    // The radio of the section, then OK.
    void Load(int radioId);
    void ClickListItem(int row);
    void ClickCommand(int button);
    void ClickLock();
    void OpenEditor(); // the view button, when the section choice is shown
    // Puts the focus into the field and types the text, each character a key.
    void TypeInto(int field, const QString& text);
    void ClearField(int field);

    QStringList ListTexts() const;
    std::string FieldText(int field) const;
    bool CommandEnabled(int button) const;
    // Whether the main window would ask about unsaved changes.
    bool Modified() const;
    std::string LastMessage() const;
    std::size_t MessagesShown() const;

    static std::string Text(const char* key); // the German text of a key
};
