// The Exchange page: direction and section of a transfer, its start and STOP,
// and its progress.
#include "link/CExchangePage.h"

#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/Texts.h"
#include "link/ProcessComPort.h"
#include "link/TransferSequence.h"
#include "records/CDataPage.h"
#include "records/Sections.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPushButton>
#include <QCoreApplication>
#include <QProgressBar>

CExchangePage* g_pExchangePage = nullptr;

namespace {

constexpr int kStatusLine = 1123, kSectionFrame = 1120, kTelephone = 1119, kMemo = 1021, kSchedule = 1022,
              kErDict = 1028, kReDict = 1027, kStop = 1046, kProgressBar = 1116, kProgressFrame = 1117,
              kDirectionFrame = 1068, kUpload = 1063, kDownload = 1064;

} // namespace

// The page as the transfer sequence sees it: its progress controls, the
// program's message boxes, the main window's lock, and the STOP button.
class ExchangeTransferPage final : public TransferPage, public LinkHost {
public:
    explicit ExchangeTransferPage(CExchangePage& page) : m_page(page) {}

    std::string Text(std::string_view key) override { return LoadText(key); }
    bool OpenPort() override { return OpenComPort(g_pSettingsPage->m_nComPort + 1); }
    void ClosePort() override { CloseComPort(); }

    void ShowProgress(bool upload) override {
        SetDlgItemText(&m_page, kProgressFrame, LoadText(upload ? "63" : "64"));
        SetDlgItemText(&m_page, kStop, LoadText("36"));
        m_page.ShowProgressItems(true);
    }
    void HideProgress(bool upload) override {
        SetDlgItemText(&m_page, kProgressFrame, LoadText(upload ? "63" : "64"));
        SetDlgItemText(&m_page, kStop, LoadText("36"));
        m_page.ShowProgressItems(false);
    }
    void SetStatus(const std::string& pcText) override { SetDlgItemText(&m_page, kStatusLine, pcText); }
    void SetProgressRange(int low, int high) override { Bar()->setRange(low, high); }
    void SetProgressPos(int pos) override { Bar()->setValue(pos); }

    bool Prompt(const std::string& pcBody) override {
        PrepareMessageBox(IDI_ASTERISK, LoadText("35"), LoadText("36"), pcBody);
        return g_msgBoxLarge.DoModal() != IDCANCEL_RESULT;
    }
    void ShowMessage(MessageIcon icon, const std::string& pcMessage) override {
        PrepareMessageBox(icon == MessageIcon::Failure ? IDI_HAND : IDI_ASTERISK, LoadText("35"), "", pcMessage);
        g_msgBox.DoModal();
    }
    void LockProgram(bool locked) override {
        if (g_pMainDlg)
            g_pMainDlg->SetTransferUi(!locked);
    }

    int CurrentSection() override { return g_pDataPage ? g_pDataPage->m_nSection : 1; }
    void SetCurrentSection(int section) override {
        if (g_pDataPage)
            g_pDataPage->m_nSection = section;
    }
    std::filesystem::path SectionFile(int section) override { return GetSectionFileName(section); }

    void DispatchMessages() override { QCoreApplication::processEvents(); }
    bool StopRequested() override { return m_page.m_bStop != 0; }

private:
    QProgressBar* Bar() { return m_page.Item<QProgressBar>(kProgressBar); }

    CExchangePage& m_page;
};

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

void CExchangePage::OnOK() {
    // The window is served while a transfer waits; a second start from there
    // (Enter reaches this page too) is ignored.
    if (m_bTransferring)
        return;
    m_bTransferring = true;
    EnableControls(false);
    m_bStop = 0;
    Item<QProgressBar>(kProgressBar)->setValue(0);
    SetDlgItemText(this, kStatusLine, "");
    update();
    ExchangeTransferPage page(*this);
    ComPort& port = CurrentComPort();
    RunTransfer(m_nDirection == 1 ? TransferDirection::Upload : TransferDirection::Download, page, port, port.Clock(),
                page);
    EnableControls(true);
    m_bTransferring = false;
}

bool CExchangePage::PreTranslateMessage(QObject*, QEvent* event) {
    if (!IsEnterKey(event))
        return false;
    if (event->type() == QEvent::KeyPress)
        OnOK();
    return true;
}
