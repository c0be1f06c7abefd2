// The Data page: the section choice, the record list and the record editor.
#include "records/CDataPage.h"

#include "app/CMainDlg.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/PcString.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

CDataPage* g_pDataPage = nullptr;

namespace {

constexpr int kFieldCombo = 1081, kRecordList = 1082, kListStandIn = 6666, kSectionFrame = 1069,
              kTelephone = 1119, kMemo = 1021, kSchedule = 1022, kErDict = 1028, kReDict = 1027;

} // namespace

CDataPage::CDataPage(QWidget* parent) : CChildDialog(IDD_DATA, parent) {
    g_pDataPage = this;
    OnInitDialog();
}

void CDataPage::OnInitDialog() {
    m_nSection = 1;
    CheckDlgButton(this, kTelephone, true);
    m_bModified = 0;
    m_bSelectView = 1;
    Item(kListStandIn)->show();
    Item(kRecordList)->hide();
    Item(kFieldCombo)->setEnabled(false);
    Item(kMemo)->hide();
    Item(kMemo)->setEnabled(false);
}

void CDataPage::SetTexts() {
    SetDlgItemText(this, IDOK, LoadText("45"));
    SetDlgItemText(this, kTelephone, LoadText("1"));
    SetDlgItemText(this, kSchedule, LoadText("2"));
    SetDlgItemText(this, kErDict, LoadText("10ge"));
    SetDlgItemText(this, kReDict, LoadText("11ru"));
    SetDlgItemText(this, kSectionFrame, LoadText("46"));
}

bool CDataPage::HasFieldChoice() const { return Item<QComboBox>(kFieldCombo)->count() > 0; }

void CDataPage::FillFieldCombo() {
    auto* combo = Item<QComboBox>(kFieldCombo);
    int selected = combo->currentIndex();
    combo->clear();
    for (int field = 0; field < m_nFieldCount; ++field) {
        int number = (m_nSection + 9) * 10 + field;
        std::string key = std::to_string(number) + (number == 130 ? "geru" : "") + "ge";
        combo->addItem(PcToQString(LoadText(key)));
    }
    combo->setCurrentIndex(selected);
}

void CDataPage::ResetPage() {
    m_bSelectView = 1;
    m_bModified = 0;
    Item<QComboBox>(kFieldCombo)->clear();
    Item<QListWidget>(kRecordList)->clear();
    Item(kListStandIn)->show();
    Item(kRecordList)->hide();
    Item(kFieldCombo)->setEnabled(false);
}

// Saving the section. The records themselves are not kept by the page yet, so
// a save can only report that it went through.
void CDataPage::OnSave() {
    g_bSaveRequested = 0;
    m_bModified = 0;
}

bool CDataPage::event(QEvent* event) {
    if (CMessageEvent* message = CMessageEvent::From(event); message && message->message() == WM_DATA_SAVE) {
        OnSave();
        return true;
    }
    return CChildDialog::event(event);
}

bool CDataPage::PreTranslateMessage(QObject* receiver, QEvent* event) {
    // Enter loads the section when the OK button has the focus; elsewhere on
    // the page it does nothing.
    if (!IsEnterKey(event))
        return false;
    (void)receiver;
    return true;
}
