// The Data page: the section choice, the record list and the record editor.
#include "records/CDataPage.h"

#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "records/DataPageInterchange.h"
#include "records/DataPageViews.h"
#include "records/RecordEditor.h"
#include "records/SectionFile.h"
#include "records/Sections.h"
#include "res/Icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

CDataPage* g_pDataPage = nullptr;

namespace {

constexpr int kFieldCombo = 1081, kRecordList = 1082, kListStandIn = 6666, kSectionFrame = 1069, kCommandBar = 1100,
              kLockBar = 1101, kEditorFrame = 1099, kLockRadio = 1121, kTelephone = 1119, kMemo = 1021,
              kSchedule = 1022, kErDict = 1028, kReDict = 1027;
constexpr int kFieldEdits[] = {1091, 1092, 1093};
constexpr int kFieldCaptions[] = {1084, 1085, 1086};
constexpr std::pair<int, int> kSectionRadios[] = {{kTelephone, kSectionTelephone},
                                                  {kSchedule, kSectionSchedule},
                                                  {kErDict, kSectionGermanRussian},
                                                  {kReDict, kSectionRussianGerman}};
constexpr int kButtonSize = 33, kIconSize = 32;

// A click on the record list only asks for a record: the page decides which record is shown (a
// refused record check keeps the old one, a commit may delete the clicked one) and puts the
// highlight on it, so the list must not move the highlight by itself. A click below the last item
// chooses nothing.
class RecordListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override {
        if (dynamic_cast<const QMouseEvent*>(event))
            return QItemSelectionModel::NoUpdate;
        return QListWidget::selectionCommand(index, event);
    }
};

// The record list and the record fields are the page's own controls.
QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
    if (control.id == kRecordList)
        return new RecordListBox(parent);
    for (int id : kFieldEdits)
        if (control.id == id)
            return new CFilterEdit(parent);
    return nullptr;
}

// A list item shows its field on one line.
QString ListItemText(const SectionRecord& record, int field) {
    const auto index = static_cast<std::size_t>(field);
    std::string text = index < record.m_lstFields.size() ? record.m_lstFields[index] : std::string();
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return PcToQString(text);
}

} // namespace

CDataPage::CDataPage(QWidget* parent) : CChildDialog(IDD_DATA, parent, MakeControl) {
    g_pDataPage = this;
    OnInitDialog();
}

CDataPage::~CDataPage() {
    // Controls going away must not reach the page's handlers any more.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    m_pCommandTips.reset();
    m_pLockTip.reset();
    if (g_pDataPage == this)
        g_pDataPage = nullptr;
}

QComboBox* CDataPage::FieldCombo() const { return Item<QComboBox>(kFieldCombo); }
QListWidget* CDataPage::RecordList() const { return Item<QListWidget>(kRecordList); }

void CDataPage::OnInitDialog() {
    for (int field = 0; field < 3; ++field) {
        m_pCaptions[static_cast<std::size_t>(field)] = Item(kFieldCaptions[field]);
        m_pEdits[static_cast<std::size_t>(field)] = Item<CFilterEdit>(kFieldEdits[field]);
    }
    m_nSection = 1;
    CheckDlgButton(this, kTelephone, true);
    for (int id : {kSchedule, kErDict, kReDict, kMemo})
        CheckDlgButton(this, id, false);

    m_pEditor = std::make_unique<RecordEditor>(*this);
    m_pEditor->Create();
    m_pViews = std::make_unique<DataPageViews>(this);

    for (QWidget* caption : m_pCaptions)
        caption->hide();
    for (CFilterEdit* edit : m_pEdits)
        edit->hide();
    Item(kLockRadio)->hide();
    Item(kEditorFrame)->hide();
    m_bModified = 0;
    m_bSelectView = 1;

    CreateBars();
    ClearList();
    Item(kMemo)->hide();
    Item(kMemo)->setEnabled(false);
    m_strDir = SectionDirectory();

    connect(FieldCombo(), &QComboBox::activated, this, [this](int index) { OnFieldChoice(index); });
    connect(RecordList(), &QListWidget::currentRowChanged, this, [this] { OnRecordChoice(); });
    for (int id : {kTelephone, kSchedule, kErDict, kReDict})
        connect(Item<QAbstractButton>(id), &QAbstractButton::clicked, this, [this] { OnSectionChoice(); });
    connect(Item<QAbstractButton>(IDOK), &QAbstractButton::clicked, this, [this] { OnOK(); });
    // Labelled at once, not only when the tab is first entered: screen readers name the picture
    // buttons by their tips from the start.
    SetTexts();
    // The record list's context menu and dropped files (owned by the page as its child).
    new DataPageInterchange(*this);
}

void CDataPage::CreateBars() {
    m_pCommandBar = CPictureButtonBar::TakeOver(Item(kCommandBar));
    // The five buttons spread evenly over the bar's height.
    const int spacing = (m_pCommandBar->height() - kButtonSize) / 4;
    auto square = [spacing](int k) { return QRect(0, k * spacing, kButtonSize, kButtonSize); };
    const std::pair<int, unsigned> pushButtons[] = {
        {IDI_SAVE, WM_DATA_SAVE}, {IDI_NEW, WM_DATA_NEW}, {IDI_DELETE, WM_DATA_DELETE}, {IDI_UNDO, WM_DATA_UNDO}};
    for (int k = 0; k < 4; ++k) {
        const auto [icon, message] = pushButtons[k];
        m_pCommandBar->AddPushButton(square(k), kIconSize, kIconSize, icon + kIconLookNormal, icon + kIconLookHot,
                                     icon + kIconLookDisabled, message);
    }
    m_pCommandBar->AddToggleButton(square(kViewButton), kIconSize, kIconSize, IDI_VIEW_EDITOR, IDI_VIEW_CHOICE,
                                   WM_DATA_VIEW);
    for (int k = 0; k < kCommandButtonCount; ++k)
        m_pCommandBar->SetButtonDisabled(k, true);
    m_pCommandTips = std::make_unique<CTipWindow>();
    m_pCommandTips->Create(m_pCommandBar);
    m_pCommandTips->setFont(font());
    for (int k = 0; k < kCommandButtonCount; ++k)
        m_pCommandTips->SetTool("", square(k), k);

    m_pLockBar = CPictureButtonBar::TakeOver(Item(kLockBar));
    m_pLockBar->AddToggleButton(QRect(0, 0, kButtonSize, kButtonSize), kIconSize, kIconSize, IDI_LOCK_OPEN,
                                IDI_LOCK_CLOSED, WM_DATA_LOCK);
    m_pLockBar->hide();
    m_pLockTip = std::make_unique<CTipWindow>();
    m_pLockTip->Create(m_pLockBar);
    m_pLockTip->setFont(font());
    m_pLockTip->SetTool("", QRect(0, 0, kButtonSize, kButtonSize), 0);
}

void CDataPage::SetTexts() {
    SetDlgItemText(this, IDOK, LoadText("45"));
    SetDlgItemText(this, kTelephone, LoadText("1"));
    SetDlgItemText(this, kSchedule, LoadText("2"));
    SetDlgItemText(this, kErDict, LoadText("10ge"));
    SetDlgItemText(this, kReDict, LoadText("11ru"));
    static constexpr const char* kTipKeys[] = {"73", "74", "75", "76", "77"};
    for (int k = 0; k < kCommandButtonCount; ++k)
        m_pCommandTips->SetToolText(LoadText(kTipKeys[k]), k);
    m_pLockTip->SetToolText(LoadText(IsDlgButtonChecked(this, kLockRadio) ? "31" : "30"), 0);
    SetDlgItemText(this, kSectionFrame, LoadText("46"));
    g_strNewRecordText = LoadText("61");
}

bool CDataPage::HasFieldChoice() const { return FieldCombo()->count() > 0; }

void CDataPage::FillFieldCombo() {
    QComboBox* combo = FieldCombo();
    const int selected = combo->currentIndex();
    combo->clear();
    for (int field = 0; field < m_nFieldCount; ++field) {
        const std::string text = LoadText(FieldCaptionKey(m_nSection, field));
        combo->addItem(PcToQString(text));
        SetControlText(FieldCaption(field), text);
        // Screen readers name the field, and the schedule's pickers, by their caption.
        FieldEdit(field)->setAccessibleName(PcToQString(text));
    }
    if (m_nSection == kSectionSchedule && m_nFieldCount > 1) {
        m_pEditor->Pickers().Picker(0).setAccessibleName(combo->itemText(0));
        m_pEditor->Pickers().Picker(1).setAccessibleName(combo->itemText(1));
        m_pEditor->Pickers().Picker(2).setAccessibleName(combo->itemText(1));
    }
    combo->setCurrentIndex(selected);
}

void CDataPage::FillRecordList() {
    QListWidget* list = RecordList();
    const QSignalBlocker blocker(list);
    list->clear();
    for (const SectionRecord& record : g_records)
        list->addItem(ListItemText(record, m_nListField));
    list->setAccessibleName(FieldCombo()->itemText(m_nListField));
    SelectListItem(m_nCurRecord);
}

void CDataPage::SelectListItem(int index) const {
    QListWidget* list = RecordList();
    const QSignalBlocker blocker(list);
    if (index < 0 || index >= list->count()) {
        list->setCurrentRow(-1);
        list->clearSelection();
        return;
    }
    list->setCurrentRow(index);
}

void CDataPage::EnableCommand(DataCommandButton button, bool enable) const {
    m_pCommandBar->SetButtonDisabled(button, !enable);
}

// Before the loaded section is dropped: whether to save it first. False when
// the user wanted it saved and the save did not go through: the changes must
// then stay.
bool CDataPage::AskToSaveChanges() {
    if (!m_bModified)
        return true;
    PrepareMessageBox(IDI_QUESTION, LoadText("33"), LoadText("34"), LoadText("80"));
    if (g_msgBox.DoModal() != IDOK_RESULT)
        return true;
    g_bSaveRequested = 1;
    SendMessage(this, WM_DATA_SAVE, WM_DATA_SAVE, 0);
    const bool saved = !g_bSaveRequested;
    g_bSaveRequested = 0;
    return saved;
}

// Nothing loaded: the stand-in frame in place of the list, no field choice, no commands.
void CDataPage::ClearList() {
    FieldCombo()->clear();
    {
        const QSignalBlocker blocker(RecordList());
        RecordList()->clear();
    }
    Item(kListStandIn)->show();
    RecordList()->hide();
    FieldCombo()->setEnabled(false);
    for (int k = 0; k < kCommandButtonCount; ++k)
        m_pCommandBar->SetButtonDisabled(k, true);
}

// A section radio: the section is taken from the radios only on OK.
void CDataPage::OnSectionChoice() {
    if (!AskToSaveChanges()) {
        // The loaded section stays, and so does its radio.
        for (auto [id, section] : kSectionRadios)
            CheckDlgButton(this, id, section == m_nSection);
        return;
    }
    ClearList();
    m_bModified = 0;
}

void CDataPage::OnOK() {
    if (!AskToSaveChanges())
        return;
    m_bModified = 0;
    for (auto [id, section] : kSectionRadios) {
        if (IsDlgButtonChecked(this, id)) {
            m_nSection = section;
            break;
        }
    }
    m_nFieldCount = SectionFieldCount(m_nSection);
    std::vector<std::size_t> shortened;
    const LoadResult loaded = LoadSection(
        m_nSection,
        [] {
            PrepareMessageBox(IDI_ASTERISK, LoadText("33"), LoadText("34"), LoadText("48"));
            return g_msgBox.DoModal() == IDOK_RESULT;
        },
        m_strDir, &shortened);
    if (loaded == LoadResult::Declined)
        return;
    if (loaded == LoadResult::Failed) {
        // The empty file could not be made: nothing to show, and the user should know why.
        PrepareMessageBox(IDI_HAND, LoadText("35"), "", LoadText("49"));
        g_msgBox.DoModal();
        return;
    }
    FillFieldCombo();
    m_pLockBar->setEnabled(true);
    m_nCurRecord = g_records.empty() ? -1 : 0;
    FieldCombo()->setCurrentIndex(0);
    m_nListField = 0;
    FillRecordList();
    m_pEditor->ShowRecord();
    m_pEditor->TakeSnapshot();
    g_bEdited = 0;
    g_bNewRecord = 0;
    RecordList()->show();
    FieldCombo()->setEnabled(true);
    Item(kListStandIn)->hide();
    for (DataCommandButton button : {kSaveButton, kNewButton, kDeleteButton, kViewButton})
        EnableCommand(button, true);
    EnableCommand(kUndoButton, false);
    ReportLoadProblems(loaded == LoadResult::Damaged, shortened);
}

// What the user must know of a load that did not give the file as it was: a
// damaged file's rest is not shown and will not be saved (the original goes to
// the backups first), and over-long records lost their ends.
void CDataPage::ReportLoadProblems(bool damaged, const std::vector<std::size_t>& shortened) {
    std::string message;
    if (damaged)
        message = LoadText("150") + " " + std::to_string(g_records.size());
    if (!shortened.empty()) {
        message += (message.empty() ? "" : "\r\n\r\n") + LoadText("151");
        for (std::size_t i = 0; i < shortened.size(); ++i)
            message += (i == 0 ? " " : ", ") + std::to_string(shortened[i] + 1);
    }
    if (message.empty())
        return;
    PrepareMessageBox(damaged ? IDI_HAND : IDI_ASTERISK, LoadText("35"), "", message);
    g_msgBoxLarge.DoModal();
}

void CDataPage::OnFieldChoice(int index) {
    if (g_bNewRecord) {
        m_pEditor->CommitRecord();
        FillRecordList();
        m_pEditor->TakeSnapshot();
    }
    if (index != m_nListField) {
        m_nListField = index;
        FillRecordList();
    }
}

// The list's selection changed under the user's hand.
void CDataPage::OnRecordChoice() {
    if (!m_pEditor->CheckRecord()) {
        SelectListItem(m_nCurRecord);
        return;
    }
    ChooseRecord(RecordList()->currentRow());
}

// Leaves the record in the editor for the one at the index: committed first when it was changed.
void CDataPage::ChooseRecord(int index) {
    if (!g_bEdited && !g_bNewRecord) {
        m_nCurRecord = index;
    } else {
        m_pEditor->CommitRecord();
        const int count = RecordList()->count();
        m_nCurRecord = index < count ? index : count - 1;
        FillRecordList();
    }
    SelectListItem(m_nCurRecord);
    m_pEditor->ShowRecord();
    m_pEditor->TakeSnapshot();
}

void CDataPage::OnView() {
    if (!m_pEditor->CheckRecord()) {
        SelectListItem(m_nCurRecord);
        return;
    }
    ChooseRecord(RecordList()->currentRow());
    if (m_bSelectView) {
        m_pViews->Slide(-1);
        m_pViews->ShowRecordEditor();
        m_pEditor->ArrangeEditor();
        m_pCommandBar->SetButtonState(kViewButton, 1);
    } else {
        m_pViews->Slide(+1);
        m_pViews->ShowSectionChoice();
        m_pCommandBar->SetButtonState(kViewButton, 0);
    }
    m_bSelectView = !m_bSelectView;
}

void CDataPage::OnSave() {
    if (!m_pEditor->CheckRecord()) {
        SelectListItem(m_nCurRecord);
        return;
    }
    const int requested = g_bSaveRequested;
    g_bSaveRequested = 0;
    RecordList()->setFocus();
    if (g_bNewRecord || g_bEdited) {
        m_pEditor->CommitRecord();
        FillRecordList();
    }
    EnableCommand(kSaveButton, false);
    const bool saved = SaveSection(m_nSection, m_strDir);
    EnableCommand(kSaveButton, true);
    if (!saved) {
        // The old file is still whole; the changes stay in memory and the page keeps them pending,
        // so that whoever asked for the save learns that it did not go through.
        g_bSaveRequested = requested;
        PrepareMessageBox(IDI_HAND, LoadText("35"), "", LoadText("49"));
        g_msgBox.DoModal();
        return;
    }
    m_bModified = 0;
    EnableCommand(kUndoButton, false);
}

void CDataPage::ResetPage() {
    if (!m_bSelectView)
        m_pViews->ShowSectionChoice();
    m_bSelectView = 1;
    m_bModified = 0;
    ClearList();
    m_pCommandBar->SetButtonState(kViewButton, 0);
}

bool CDataPage::event(QEvent* event) {
    CMessageEvent* message = CMessageEvent::From(event);
    if (!message)
        return CChildDialog::event(event);
    switch (message->message()) {
    case WM_DATA_NEW:
        m_pEditor->OnNew();
        break;
    case WM_DATA_DELETE:
        m_pEditor->OnDelete();
        break;
    case WM_DATA_UNDO:
        m_pEditor->OnUndo();
        break;
    case WM_DATA_VIEW:
        OnView();
        break;
    case WM_DATA_SAVE:
        OnSave();
        break;
    case WM_DATA_LOCK:
        m_pEditor->OnLock();
        break;
    default:
        return CChildDialog::event(event);
    }
    message->setResult(0);
    return true;
}

bool CDataPage::IsFieldEdit(const QWidget* widget) const {
    return widget && std::find(m_pEdits.begin(), m_pEdits.end(), widget) != m_pEdits.end();
}

bool CDataPage::PreTranslateMessage(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        // The page never closes itself: Escape does nothing.
        if (key->key() == Qt::Key_Escape)
            return true;
        if (IsEnterKey(event)) {
            const bool press = event->type() == QEvent::KeyPress;
            QWidget* focus = QApplication::focusWidget();
            if (IsFieldEdit(focus)) {
                // In a field Enter is the dialog's: OK is the default button, and a line break is typed
                // with Ctrl+Enter.
                if (press && (key->modifiers() & Qt::ControlModifier))
                    static_cast<CFilterEdit*>(focus)->InsertLineBreak();
                else if (press)
                    OnOK();
            } else if (press && focus == Item(IDOK)) {
                OnOK();
            }
            return true;
        }
    }
    m_pCommandTips->RelayEvent(receiver, event);
    m_pLockTip->RelayEvent(receiver, event);
    return false;
}
