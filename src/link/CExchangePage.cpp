// The Exchange page: direction and section of a transfer, its start and STOP,
// and its progress.
#include "link/CExchangePage.h"

#include "app/Texts.h"
#include "link/ProcessComPort.h"
#include "records/CDataPage.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPushButton>
#include <QProgressBar>

CExchangePage* g_pExchangePage = nullptr;

namespace {

constexpr int kStatusLine = 1123, kSectionFrame = 1120, kTelephone = 1119, kMemo = 1021, kSchedule = 1022,
              kErDict = 1028, kReDict = 1027, kStop = 1046, kProgressBar = 1116, kProgressFrame = 1117,
              kDirectionFrame = 1068, kUpload = 1063, kDownload = 1064;

} // namespace

CExchangePage::CExchangePage(QWidget* parent) : CChildDialog(IDD_EXCHANGE, parent) {
    g_pExchangePage = this;
    OnInitDialog();
}

void CExchangePage::OnInitDialog() {
    CloseComPort();
    m_nDirection = 1;
    UpdateTexts();
    CheckDlgButton(this, kUpload, true);
    CheckDlgButton(this, kDownload, false);
    CheckDlgButton(this, kTelephone, true);
    for (int id : {kSchedule, kReDict, kErDict, kMemo})
        CheckDlgButton(this, id, false);
    Item(kMemo)->hide();
    Item(kMemo)->setEnabled(false);
    ShowProgressItems(false);
    Item<QProgressBar>(kProgressBar)->setRange(0, 8192);

    connect(Item<QAbstractButton>(kUpload), &QAbstractButton::clicked, this, [this] {
        m_nDirection = 1;
        UpdateStartButtonText();
        EnableSectionRadios(true);
    });
    connect(Item<QAbstractButton>(kDownload), &QAbstractButton::clicked, this, [this] {
        m_nDirection = 2;
        UpdateStartButtonText();
        EnableSectionRadios(false); // the handheld decides what it sends
    });
    connect(Item<QAbstractButton>(kStop), &QAbstractButton::clicked, this, [this] { m_bStop = 1; });
    connect(Item<QAbstractButton>(IDOK), &QAbstractButton::clicked, this, [this] { OnOK(); });
    const std::pair<int, int> sections[] = {{kTelephone, 1}, {kSchedule, 2}, {kErDict, 3}, {kReDict, 4}, {kMemo, 5}};
    for (auto [id, section] : sections)
        connect(Item<QAbstractButton>(id), &QAbstractButton::clicked, this, [section] {
            if (g_pDataPage)
                g_pDataPage->m_nSection = section;
        });
}

void CExchangePage::ShowProgressItems(bool show) {
    for (int id : {kProgressFrame, kProgressBar, kStop, kStatusLine})
        Item(id)->setVisible(show);
}

void CExchangePage::UpdateTexts() {
    SetDlgItemText(this, kTelephone, LoadText("1"));
    SetDlgItemText(this, kSchedule, LoadText("2"));
    SetDlgItemText(this, kErDict, LoadText("10ge"));
    SetDlgItemText(this, kReDict, LoadText("11ru"));
    SetDlgItemText(this, kDownload, LoadText("12"));
    SetDlgItemText(this, kUpload, LoadText("13"));
    UpdateStartButtonText();
    SetDlgItemText(this, kDirectionFrame, LoadText("62"));
    SetDlgItemText(this, kSectionFrame, LoadText("25"));
}

void CExchangePage::UpdateStartButtonText() { SetDlgItemText(this, IDOK, LoadText(m_nDirection == 1 ? "40" : "41")); }

void CExchangePage::EnableSectionRadios(bool enable) {
    for (int id : {kSectionFrame, kReDict, kErDict, kSchedule, kMemo, kTelephone})
        Item(id)->setEnabled(enable);
}

void CExchangePage::EnableControls(bool enable) {
    for (int id : {kDownload, kUpload, IDOK, kDirectionFrame})
        Item(id)->setEnabled(enable);
    EnableSectionRadios(enable);
}

// Starting a transfer. The link to the handheld is not built yet: the start
// only shows that it was asked for and leaves every control usable again.
void CExchangePage::OnOK() {
    EnableControls(false);
    m_bStop = 0;
    Item<QProgressBar>(kProgressBar)->setValue(0);
    SetDlgItemText(this, kStatusLine, "");
    update();
    EnableControls(true);
}

bool CExchangePage::PreTranslateMessage(QObject*, QEvent* event) {
    if (!IsEnterKey(event))
        return false;
    if (event->type() == QEvent::KeyPress)
        OnOK();
    return true;
}
