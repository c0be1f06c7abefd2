// Record editing on the Data page: showing the current record, noticing changes, committing and checking
// them, and the commands new, delete, undo and lock.
#include "records/RecordEditor.h"

#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "keyboard/COnScreenKeyboard.h"
#include "records/CDataPage.h"
#include "records/DataPageViews.h"
#include "records/EditorLayout.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QListWidget>

int g_bNewRecord = 0;
int g_bEdited = 0;
std::string g_strNewRecordText;
std::vector<std::string> g_lstSnapshot;

namespace {

constexpr int kLockRadio = 1121;
constexpr int kLockButton = 0;

QRect ToQRect(const EditorRect& rect) { return QRect(rect.x, rect.y, rect.cx, rect.cy); }

} // namespace

RecordEditor::RecordEditor(CDataPage& page) : m_page(page) {}

RecordEditor::~RecordEditor() = default;

void RecordEditor::Create() {
    m_pickers.Create(&m_page);
    for (int field = 0; field < 3; ++field) {
        CFilterEdit* edit = m_page.FieldEdit(field);
        connect(edit, &CFilterEdit::TextEdited, this, [this] { MarkEdited(true); });
        if (field < 2)
            connect(edit, &CFilterEdit::FocusGained, this, [this, field] { OnFieldFocus(field); });
    }
    for (int i = 0; i < 3; ++i)
        connect(&m_pickers.Picker(i), &CDateTimePicker::Notify, this, [this] { OnPickerNotify(); });
}

bool RecordEditor::IsSchedule() const { return m_page.m_nSection == kSectionSchedule; }

bool RecordEditor::IsDictionary() const {
    return m_page.m_nSection == kSectionGermanRussian || m_page.m_nSection == kSectionRussianGerman;
}

bool RecordEditor::IsLocked() const { return IsDlgButtonChecked(&m_page, kLockRadio); }

void RecordEditor::SetLockDisplay(bool locked) const {
    CheckDlgButton(&m_page, kLockRadio, locked);
    m_page.LockBar()->SetButtonState(kLockButton, locked ? 1 : 0);
    m_page.LockTip()->SetToolText(LoadText(locked ? "31" : "30"), 0);
}

void RecordEditor::MarkEdited(bool enableUndo) {
    g_bEdited = 1;
    m_page.m_bModified = 1;
    if (enableUndo)
        m_page.EnableCommand(kUndoButton, true);
}

void RecordEditor::ShowRecord() {
    const int current = m_page.m_nCurRecord;
    if (current < 0 || current >= static_cast<int>(g_records.size())) {
        for (int field = 0; field < 3; ++field) {
            m_page.FieldEdit(field)->SetText("");
            m_page.FieldEdit(field)->setReadOnly(true);
        }
        SetLockDisplay(false);
        m_page.LockBar()->setEnabled(false);
        if (IsSchedule()) {
            m_pickers.SetEnabled(false);
            m_pickers.ShowScheduleInPickers(nullptr, true);
        }
        return;
    }
    const SectionRecord record = g_records[static_cast<std::size_t>(current)];
    for (int field = 0; field < m_page.m_nFieldCount; ++field) {
        const auto index = static_cast<std::size_t>(field);
        m_page.FieldEdit(field)->setReadOnly(false);
        m_page.FieldEdit(field)->SetText(index < record.m_lstFields.size() ? record.m_lstFields[index] : "");
    }
    SetLockDisplay(record.m_nLocked != 0);
    if (IsSchedule()) {
        m_pickers.SetEnabled(true);
        m_pickers.ShowScheduleInPickers(&record, false);
    }
}

void RecordEditor::TakeSnapshot() {
    const int current = m_page.m_nCurRecord;
    if (current < 0 || current >= static_cast<int>(g_records.size()))
        return;
    const SectionRecord& record = g_records[static_cast<std::size_t>(current)];
    g_lstSnapshot.clear();
    for (int field = 0; field < m_page.m_nFieldCount && field < static_cast<int>(record.m_lstFields.size()); ++field)
        g_lstSnapshot.push_back(record.m_lstFields[static_cast<std::size_t>(field)]);
    g_lstSnapshot.push_back(record.m_nLocked ? "1" : "0");
}

void RecordEditor::CommitRecord() {
    std::vector<std::string> texts;
    std::size_t total = 0;
    for (int field = 0; field < m_page.m_nFieldCount; ++field) {
        texts.push_back(m_page.FieldEdit(field)->GetText());
        total += texts.back().size();
    }
    if (total == 0) {
        // A record the user emptied is one the user wants gone.
        SendMessage(&m_page, WM_DATA_DELETE, WM_DATA_DELETE, 0);
        return;
    }
    const int current = m_page.m_nCurRecord;
    if (current < 0 || current >= static_cast<int>(g_records.size()))
        return;
    SectionRecord& record = g_records[static_cast<std::size_t>(current)];
    record.m_lstFields = std::move(texts);
    record.m_nLocked = IsLocked() ? 1 : 0;
    g_bEdited = 0;
    g_bNewRecord = 0;
}

bool RecordEditor::CheckRecord() {
    if (!IsDictionary() || m_page.m_nCurRecord == -1)
        return true;
    for (int field = 0; field < m_page.m_nFieldCount; ++field) {
        if (!m_page.FieldEdit(field)->GetText().empty())
            continue;
        PrepareMessageBox(IDI_HAND, LoadText("35"), "", LoadText("79"));
        g_msgBox.DoModal();
        return false;
    }
    return true;
}

void RecordEditor::ArrangeEditor() {
    const QRect frame = m_page.Views().EditorFrame();
    const EditorLayout layout = ArrangeEditorLayout(
        m_page.m_nSection, EditorRect{frame.x(), frame.y(), frame.width(), frame.height()}, m_page.Views().Gap());
    for (int field = 0; field < 3; ++field) {
        const auto index = static_cast<std::size_t>(field);
        QWidget* caption = m_page.FieldCaption(field);
        CFilterEdit* edit = m_page.FieldEdit(field);
        if (const auto& place = layout.captions[index]) {
            caption->setGeometry(ToQRect(*place));
            caption->show();
        } else {
            caption->hide();
        }
        if (const auto& place = layout.edits[index]) {
            edit->setGeometry(ToQRect(*place));
            edit->show();
        } else {
            edit->hide();
        }
        edit->SetLimitText(FieldLengthLimit(m_page.m_nSection, field));
    }
    CPictureButtonBar* lockBar = m_page.LockBar();
    if (layout.lockButton) {
        const QRect place = ToQRect(*layout.lockButton);
        lockBar->setGeometry(place);
        lockBar->SetButtonRect(kLockButton, QRect(QPoint(0, 0), place.size()));
        m_page.LockTip()->SetTool(LoadText(IsLocked() ? "31" : "30"), QRect(QPoint(0, 0), place.size()), 0);
        lockBar->show();
    } else {
        lockBar->hide();
    }
    if (!IsSchedule()) {
        m_pickers.Hide();
        return;
    }
    const int current = m_page.m_nCurRecord;
    const bool none = current < 0 || current >= static_cast<int>(g_records.size());
    m_pickers.ShowScheduleInPickers(none ? nullptr : &g_records[static_cast<std::size_t>(current)], none);
    for (int i = 0; i < 3; ++i) {
        CDateTimePicker& picker = m_pickers.Picker(i);
        picker.setGeometry(ToQRect(*layout.pickers[static_cast<std::size_t>(i)]));
        picker.show();
    }
}

void RecordEditor::FocusFirstField() const { m_page.FieldEdit(IsSchedule() ? 2 : 0)->setFocus(); }

void RecordEditor::OnNew() {
    if (m_page.m_bSelectView)
        SendMessage(&m_page, WM_DATA_VIEW, WM_DATA_VIEW, 0);
    if (!CheckRecord()) {
        m_page.SelectListItem(m_page.m_nCurRecord);
        return;
    }
    if (g_bEdited || g_bNewRecord) {
        CommitRecord();
        m_page.FillRecordList();
    }
    QListWidget* list = m_page.RecordList();
    list->addItem(PcToQString(g_strNewRecordText));
    m_page.m_nCurRecord = list->count() - 1;
    for (int field = 0; field < 3; ++field) {
        m_page.FieldEdit(field)->setReadOnly(false);
        m_page.FieldEdit(field)->SetText("");
    }
    m_page.LockBar()->setEnabled(true);
    SetLockDisplay(false);
    if (IsSchedule())
        m_pickers.SetEnabled(true);
    g_records.emplace_back("", "");
    m_page.SelectListItem(m_page.m_nCurRecord);
    g_bNewRecord = 1;
    if (IsSchedule()) {
        m_pickers.ShowScheduleInPickers(nullptr, true);
        m_pickers.PickersToTexts(*m_page.FieldEdit(0), *m_page.FieldEdit(1));
    }
    m_page.EnableCommand(kUndoButton, true);
    FocusFirstField();
    m_page.update();
}

void RecordEditor::OnDelete() {
    QListWidget* list = m_page.RecordList();
    const int current = m_page.m_nCurRecord;
    if (list->count() == 0 || current < 0 || current >= static_cast<int>(g_records.size()))
        return;
    m_page.m_bModified = 1;
    g_records.erase(g_records.begin() + current);
    if (current >= static_cast<int>(g_records.size()))
        m_page.m_nCurRecord = static_cast<int>(g_records.size()) - 1;
    m_page.FillRecordList();
    ShowRecord();
    TakeSnapshot();
    m_page.EnableCommand(kUndoButton, false);
    g_bNewRecord = 0;
}

void RecordEditor::OnUndo() {
    if (g_bNewRecord) {
        // Undoing a record that was never committed takes it away again.
        SendMessage(&m_page, WM_DATA_DELETE, WM_DATA_DELETE, 0);
        return;
    }
    if (g_lstSnapshot.empty())
        return;
    // The last entry is the lock flag; the field texts come before it.
    const std::size_t texts = g_lstSnapshot.size() - 1;
    for (int field = 0; field < m_page.m_nFieldCount; ++field) {
        const auto index = static_cast<std::size_t>(field);
        m_page.FieldEdit(field)->SetText(index < texts ? g_lstSnapshot[index] : "");
    }
    m_page.EnableCommand(kUndoButton, false);
    SetLockDisplay(g_lstSnapshot.back() == "1");
    if (IsSchedule()) {
        // The pickers go back with their texts, so that the texts keep holding what the pickers show.
        SectionRecord shown("", "");
        shown.m_lstFields.assign(g_lstSnapshot.begin(), g_lstSnapshot.begin() + static_cast<std::ptrdiff_t>(texts));
        m_pickers.ShowScheduleInPickers(&shown, false);
    }
    FocusFirstField();
}

void RecordEditor::OnLock() {
    MarkEdited(true);
    SetLockDisplay(!IsLocked());
}

void RecordEditor::OnFieldFocus(int field) {
    if (!IsDictionary() || !m_page.HasFieldChoice() || !g_pMainDlg)
        return;
    // Field 0 of the German-Russian dictionary and field 1 of the Russian-German one are German.
    const bool german = (m_page.m_nSection == kSectionGermanRussian) == (field == 0);
    if (COnScreenKeyboard* keyboard = g_pMainDlg->OnScreenKeyboard())
        keyboard->SelectFace(german ? kFaceLatin : kFaceRussian, 1);
    // The toggle flips the side, so the side is first set to the opposite of the one wanted: the
    // layout of the wanted side is applied even when that side is already in force.
    g_pMainDlg->m_nKeyboardSide = german ? 1 : 0;
    SendMessage(g_pMainDlg, WM_TOGGLE_KEYBOARD_SIDE, WM_TOGGLE_KEYBOARD_SIDE, 0);
}

void RecordEditor::OnPickerNotify() {
    if (!IsSchedule() || !m_page.HasFieldChoice())
        return;
    // Every picker notification counts as a change, even a mere gain or loss of the focus; the
    // picker has already taken its new value, so the texts a commit reads are its present ones.
    MarkEdited(false);
    m_pickers.PickersToTexts(*m_page.FieldEdit(0), *m_page.FieldEdit(1));
}
