// The main window: tool bar, title, on-screen keyboard, the tab control with its
// three pages, the keyboard side, and the guards on switching pages and closing.
#pragma once

#include "app/PreTranslate.h"

#include <QDialog>

#include <memory>
#include <string>

class CCenteredTabCtrl;
class COnScreenKeyboard;
class CPictureButtonBar;
class CTipWindow;
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
    COnScreenKeyboard* OnScreenKeyboard() const { return m_keyboard; }
    CPictureButtonBar* ButtonBar() const { return m_buttonBar; }
    CTipWindow* ToolTips() const { return m_tips.get(); }

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

    // The tool bar and the keyboard side.
    void SetLogo();
    void CreateButtonBar();
    void AttachToolTips();
    void RelabelToolTips();
    void RestoreKeyboardState();
    void SaveKeyboardState();
    void ToggleKeyboardSide();
    void PostLayoutOfSide(int side);

    QLabel* m_title = nullptr;
    COnScreenKeyboard* m_keyboard = nullptr;
    CCenteredTabCtrl* m_tabCtrl = nullptr;
    CPictureButtonBar* m_buttonBar = nullptr;
    std::unique_ptr<CTipWindow> m_tips;
    bool m_bClosing = false;
};

extern CMainDlg* g_pMainDlg;
extern unsigned char g_nCurrentTab; // 0 Exchange, 1 Data, 2 Settings
extern int g_bSaveRequested;        // set before WM_DATA_SAVE; the Data page clears it when the save goes through
