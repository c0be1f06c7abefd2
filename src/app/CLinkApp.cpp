// The application: one copy only, the fonts, the main window, the keyboard
// commands and help.
#include "app/CLinkApp.h"

#include "app/CMainDlg.h"
#include "app/CSettingsPage.h"
#include "app/DeliveredProfile.h"
#include "app/HelpWindow.h"
#include "app/ProgramFonts.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "app/WindowMessages.h"
#include "link/ProcessComPort.h"
#include "link/QtSerialDevice.h"
#include "link/SystemSerialDevices.h"
#include "records/SystemLocaleSource.h"
#include "res/Accelerators.h"

CLinkApp::CLinkApp(int& argc, char** argv) : CTranslatingApp(argc, argv) {}

CLinkApp* CLinkApp::Instance() { return qobject_cast<CLinkApp*>(QCoreApplication::instance()); }

int CLinkApp::InitInstance() {
    // A second copy ends at once, shows nothing and touches no file. Where no
    // lock can be had at all, running unguarded beats not running.
    SingleInstanceLock oneCopy;
    if (oneCopy.AcquireFor(ConfigDirectory(), ProgramName() + ".lock") == LockResult::HeldElsewhere)
        return 0;
    // An installed program's first start finds no profile: the delivered one
    // becomes the user's, so that the windows have their texts.
    PutDeliveredProfileInPlace("kl840t-link");

    InstallComPort(&SystemComPort());
    InstallSerialDeviceSource(&SystemSerialDeviceSource());
    InstallLocaleSource(&SystemLocaleSource::Instance());
    LoadProgramFontFiles();
    CreateProgramFonts();
    {
        CMainDlg mainWindow;
        mainWindow.exec();
    }
    DeleteProgramFonts();
    ReleaseProgramFontFile();
    return 0;
}

int HelpContextOfTab(int tab) {
    switch (tab) {
    case 1:
        return 131578;
    case 2:
        return 131572;
    default:
        return 131576;
    }
}

void CLinkApp::OnHelp() {
    std::string language = g_pSettingsPage ? g_pSettingsPage->GetLanguageSection() : std::string();
    CHelpWindow::Open(HelpContextOfTab(g_nCurrentTab), language);
}

void CLinkApp::OnCommand(int command) {
    CMainDlg* main = g_pMainDlg;
    if (!main)
        return;
    auto enabled = [main](CMainDlg::Command which) { return main->m_bCommandEnabled[which] != 0; };
    switch (command) {
    case ID_KEYBOARD_SIDE:
        if (enabled(CMainDlg::kKeyboardSide))
            SendMessage(main, WM_TOGGLE_KEYBOARD_SIDE);
        break;
    case ID_ONSCREEN_KEYBOARD:
        if (enabled(CMainDlg::kOnScreenKeyboard))
            SendMessage(main, WM_TOGGLE_ONSCREEN_KEYBOARD);
        break;
    case ID_HELP_COMMAND:
        if (enabled(CMainDlg::kHelp))
            OnHelp();
        break;
    case ID_ABOUT:
        if (enabled(CMainDlg::kAbout))
            SendMessage(main, WM_ABOUT_BOX);
        break;
    case ID_EXIT:
        if (enabled(CMainDlg::kExit))
            SendMessage(main, WM_CLOSE);
        break;
    default:
        break; // the table's other commands have no handler
    }
}
