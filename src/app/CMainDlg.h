// The main window: title, logo, the tab control with its three pages, and the
// guards on switching pages and closing.
#pragma once

#include "app/PreTranslate.h"

#include <QDialog>

#include <string>

class CCenteredTabCtrl;
class QLabel;

class CMainDlg : public QDialog, public CPreTranslating {
    Q_OBJECT
public:
    CMainDlg();
    ~CMainDlg() override;
    Q_DISABLE_COPY(CMainDlg)

    // Indices of m_bCommandEnabled, which are also the buttons of the bar.
    enum Command { kKeyboardSide, kOnScreenKeyboard, kHelp, kAbout, kExit, kCommandCount };
    int m_bCommandEnabled[kCommandCount] = {};

    // 0 Latin, 1 Cyrillic.
    int m_nKeyboardSide = 0;

    void SetTransferUi(bool enable);
    void UpdateTexts();
    int GetKeyboardSide() const { return m_nKeyboardSide; }
    void PrepareMessageBox(int icon, std::string okText, std::string cancelText, std::string message);

    CCenteredTabCtrl* TabCtrl() const { return m_tabCtrl; }

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void OnInitDialog();
    void CreatePages();
    void OnTabSelChange(int index);
    bool LeaveDataPage();
    void EnterPage(int index);
    bool AskToSaveDataPage();
    bool OnClose();
    void OnDestroy();
    void OnAboutBox();
    void ToggleKeyboardSide();

    QLabel* m_title = nullptr;
    QLabel* m_logo = nullptr;
    CCenteredTabCtrl* m_tabCtrl = nullptr;
    bool m_bClosing = false;
};

extern CMainDlg* g_pMainDlg;
extern unsigned char g_nCurrentTab; // 0 Exchange, 1 Data, 2 Settings
extern int g_bSaveRequested;        // set before WM_DATA_SAVE; the Data page clears it when the save goes through
