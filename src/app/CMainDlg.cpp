// The main window: title, the tab control with its three pages, and the guards on
// switching pages and closing.
#include "app/CMainDlg.h"

#include "app/CAboutDlg.h"
#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/DialogBuilder.h"
#include "app/HelpWindow.h"
#include "app/Profile.h"
#include "app/ProgramFonts.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "keyboard/COnScreenKeyboard.h"
#include "link/CExchangePage.h"
#include "link/ProcessComPort.h"
#include "records/CDataPage.h"
#include "records/SectionFile.h"
#include "res/Accelerators.h"
#include "res/Pictures.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

CMainDlg* g_pMainDlg = nullptr;
unsigned char g_nCurrentTab = 0;
int g_bSaveRequested = 0;

namespace {

constexpr int kTabControlId = 1060;
constexpr int kKeyboardControlId = 1076;

bool IsKey(const QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    int key = static_cast<const QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

CMainDlg::CMainDlg() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildDialog(this, FindDialogTemplate(IDD_MAIN), [this](const ControlTemplate& control, QWidget* parent) {
        QWidget* made = nullptr;
        if (control.id == kTabControlId)
            made = m_tabCtrl = new CCenteredTabCtrl(parent);
        else if (control.id == kKeyboardControlId)
            made = m_keyboard = new COnScreenKeyboard(parent);
        return made;
    });
    m_keyboard->Attach();
    setFixedSize(size());
    OnInitDialog();
}

CMainDlg::~CMainDlg() {
    OnDestroy();
    if (g_pMainDlg == this)
        g_pMainDlg = nullptr;
}

void CMainDlg::OnInitDialog() {
    setWindowIcon(ProgramIcon());
    g_pMainDlg = this;

    setWindowTitle("KL840T Link");
    m_title = DlgItem<QLabel>(this, 1114);
    m_title->setText("Orvela KL840T - PC link");
    m_title->setAccessibleName(m_title->text());

    SetLogo();

    m_tabCtrl->setFont(NormalFont());
    m_title->setFont(BoldFont());

    CreatePages();
    g_pSettingsPage->m_nComPort = ReadSetting(kSettingComPort);

    for (int i = 0; i < 3; ++i)
        m_tabCtrl->InsertItem(i, "_");
    g_nCurrentTab = 0;
    m_tabCtrl->SetCurSel(0);
    connect(m_tabCtrl, &CCenteredTabCtrl::SelChange, this, &CMainDlg::OnTabSelChange);

    CreateButtonBar();
    AttachToolTips();
    UpdateTexts();
    RestoreKeyboardState();
    // The toggle runs once, so the program starts on the Latin side with its layout applied.
    m_nKeyboardSide = 1;
    SendMessage(this, WM_TOGGLE_KEYBOARD_SIDE);

    for (int& enabled : m_bCommandEnabled)
        enabled = 1;
    g_bSaveRequested = 0;
}

void CMainDlg::CreatePages() {
    // The pages lie over the tab control's display area, above it.
    QRect area = DialogUnitsToPixels(10, 80, 318, 158);
    auto place = [&](QWidget* page) {
        page->move(area.topLeft());
        page->raise();
    };
    place(new CSettingsPage(this));
    g_pSettingsPage->hide();
    place(new CExchangePage(this));
    g_pExchangePage->show();
    place(new CDataPage(this));
    g_pDataPage->hide();
}

void CMainDlg::UpdateTexts() {
    m_tabCtrl->SetPadding(QSize(12, 3));
    static constexpr const char* kTabKeys[] = {"72", "14", "15"};
    for (int i = 0; i < 3; ++i)
        m_tabCtrl->SetItemText(i, PcToQString(LoadText(kTabKeys[i])));
    RelabelToolTips();
    update();
}

void CMainDlg::SetTransferUi(bool enable) {
    m_tabCtrl->setEnabled(enable);
    m_bCommandEnabled[kAbout] = enable;
    m_bCommandEnabled[kExit] = enable;
    m_buttonBar->SetButtonDisabled(kAbout, !enable);
    m_buttonBar->SetButtonDisabled(kExit, !enable);
}

void CMainDlg::PrepareMessageBox(int icon, std::string okText, std::string cancelText, std::string message) {
    ::PrepareMessageBox(icon, std::move(okText), std::move(cancelText), std::move(message));
}

// Asks whether the Data page's changes are to be saved and saves them on OK.
// False when the user agreed but the save did not go through (the page keeps
// its changes and must stay shown).
bool CMainDlg::AskToSaveDataPage() {
    g_bSaveRequested = 0;
    PrepareMessageBox(IDI_QUESTION, LoadText("33"), LoadText("34"), LoadText("80"));
    if (g_msgBox.DoModal() != IDOK_RESULT)
        return true;
    g_bSaveRequested = 1;
    SendMessage(g_pDataPage, WM_DATA_SAVE, WM_DATA_SAVE, 0);
    if (g_bSaveRequested)
        return false;
    g_bSaveRequested = 0;
    return true;
}

bool CMainDlg::LeaveDataPage() {
    if (g_pDataPage->m_bModified && !AskToSaveDataPage())
        return false;
    g_pDataPage->m_bModified = 0;
    g_pDataPage->ResetPage();
    g_pDataPage->hide();
    return true;
}

void CMainDlg::OnTabSelChange(int index) {
    switch (g_nCurrentTab) {
    case 0:
        g_pExchangePage->hide();
        break;
    case 1:
        if (!LeaveDataPage()) {
            m_tabCtrl->SetCurSel(1);
            return;
        }
        break;
    case 2:
        if (g_pSettingsPage->m_nChangeCount != 0) {
            PrepareMessageBox(IDI_QUESTION, LoadText("33"), LoadText("34"), LoadText("81"));
            if (g_msgBox.DoModal() == IDOK_RESULT)
                g_pSettingsPage->ApplySettings();
        }
        g_pSettingsPage->hide();
        break;
    }
    EnterPage(index);
}

void CMainDlg::EnterPage(int index) {
    switch (index) {
    case 0:
        g_pExchangePage->UpdateTexts();
        g_pExchangePage->show();
        break;
    case 1:
        g_pDataPage->SetTexts();
        if (g_pDataPage->HasFieldChoice())
            g_pDataPage->FillFieldCombo();
        g_pDataPage->show();
        break;
    case 2:
        g_pSettingsPage->LoadSettings();
        g_pSettingsPage->show();
        break;
    default:
        return;
    }
    g_nCurrentTab = static_cast<unsigned char>(index);
}

bool CMainDlg::OnClose() {
    if (g_pDataPage->m_bModified && !AskToSaveDataPage()) {
        m_tabCtrl->SetCurSel(1);
        return false;
    }
    return true;
}

void CMainDlg::closeEvent(QCloseEvent* event) {
    // While a transfer runs the window stays: the transfer is ended with STOP.
    if (m_bClosing || !m_bCommandEnabled[kExit] || !OnClose()) {
        event->ignore();
        return;
    }
    m_bClosing = true;
    SaveKeyboardState();
    event->accept();
    done(QDialog::Accepted);
}

void CMainDlg::OnDestroy() {
    // The loaded section's records go first, storage and all.
    std::vector<SectionRecord>().swap(g_records);
    // The pages go in the order Settings, Exchange, Data; then the port and help.
    delete g_pSettingsPage;
    delete g_pExchangePage;
    delete g_pDataPage;
    CloseComPort();
    CHelpWindow::Quit();
}

void CMainDlg::OnAboutBox() {
    ReleaseMouseCapture();
    CAboutDlg about(this);
    about.exec();
}

bool CMainDlg::event(QEvent* event) {
    if (CMessageEvent* message = CMessageEvent::From(event)) {
        switch (message->message()) {
        case WM_ABOUT_BOX:
            OnAboutBox();
            return true;
        case WM_TOGGLE_KEYBOARD_SIDE:
            ToggleKeyboardSide();
            return true;
        case WM_TOGGLE_ONSCREEN_KEYBOARD:
            m_keyboard->ToggleView();
            return true;
        case WM_HELP:
            if (auto* app = CLinkApp::Instance())
                app->OnHelp();
            return true;
        case WM_CLOSE:
            close();
            return true;
        default:
            break;
        }
    }
    return QDialog::event(event);
}

bool CMainDlg::PreTranslateMessage(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1) {
            SendMessage(this, WM_HELP);
            return true;
        }
        // The keyboard command table: Alt with a letter, by the key's place
        // (Alt+K is the same key under a Russian layout). The command takes
        // the key, so its letter never reaches the control.
        bool altOnly = (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier;
        CLinkApp* app = CLinkApp::Instance();
        if (altOnly && app) {
            if (auto command = FindAccelerator(app->ReadKey(*key).virtualKey)) {
                app->OnCommand(*command);
                return true;
            }
        }
    }
    // Enter never closes the main window nor presses a button through it.
    if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter}))
        return true;
    // The tips see the mouse move over the bar.
    if (m_tips)
        m_tips->RelayEvent(receiver, event);
    return false;
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    // A translated key reaches its control past the pre-translation; F1 that no
    // control took still asks for help.
    if (event->key() == Qt::Key_F1) {
        SendMessage(this, WM_HELP);
        return;
    }
    // Escape and Enter that no page took do nothing here: the window is left
    // through its close path only, so the unsaved-changes question is never
    // skipped.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CMainDlg::reject() {}
