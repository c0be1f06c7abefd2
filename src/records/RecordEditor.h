// Record editing on the Data page: showing the current record, noticing changes, committing and checking
// them, and the commands new, delete, undo and lock.
#pragma once

#include "records/SchedulePickers.h"

#include <QObject>

#include <string>
#include <vector>

class CDataPage;

// State of the record in the editor, shared by the page, the editor and the main window's questions.
extern int g_bNewRecord;                       // a record added by the new command is waiting for its fields
extern int g_bEdited;                          // the editor holds changes that are not in the record yet
extern std::string g_strNewRecordText;         // how the list shows a just-added record
extern std::vector<std::string> g_lstSnapshot; // the shown record's fields, then "1" when it was locked

// Nothing reaches a record until the editor is committed, which happens whenever the user leaves it.
// The editor's controls are the page's: the field edits 1091-1093 and their captions, the hidden
// radio 1121 that holds the lock flag, the lock bar 1101, and the schedule's three pickers.
class RecordEditor : public QObject {
    Q_OBJECT
public:
    explicit RecordEditor(CDataPage& page);
    ~RecordEditor() override;

    // Makes the pickers and listens to the fields and pickers.
    void Create();

    // Fills the editor from the current record, or empties it and makes it read-only when there is none.
    void ShowRecord();
    void TakeSnapshot();
    // Writes the editor into the current record; a record whose fields were all emptied is deleted.
    void CommitRecord();
    // False (after telling the user) when a dictionary record lacks one of its two words.
    bool CheckRecord();
    // Lays the editor out for the loaded section inside its frame.
    void ArrangeEditor();

    void OnNew();
    void OnDelete();
    void OnUndo();
    void OnLock();

    bool IsLocked() const;
    SchedulePickers& Pickers() { return m_pickers; }

private:
    void SetLockDisplay(bool locked) const;
    void MarkEdited(bool enableUndo);
    void OnFieldFocus(int field);
    void OnPickerNotify();
    void FocusFirstField() const;
    bool IsSchedule() const;
    bool IsDictionary() const;

    CDataPage& m_page;
    SchedulePickers m_pickers;
};
