// The main window's tool bar and keyboard side: the five picture buttons with their tips, the
// on-screen keyboard in the logo's place and its state across runs, and the switch between the
// Latin and the Cyrillic keyboard side.
#include "app/CMainDlg.h"

#include "app/DialogBuilder.h"
#include "app/ProgramFonts.h"
#include "app/Profile.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/WinRect.h"
#include "keyboard/COnScreenKeyboard.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyboardSide.h"
#include "res/Icons.h"
#include "res/Pictures.h"

#include <array>

namespace {

constexpr int kButtonBarId = 1078;

struct ToolButton {
    QRect rect;
    std::array<int, 3> icons; // normal, hot, disabled; a two-state button names its two first icons
    unsigned message;
    const char* tipKey;
};

// Left to right, in the order of the main window's command flags.
const std::array<ToolButton, CMainDlg::kCommandCount> kToolButtons{{
    {RectLTRB(0, 0, 33, 33), {IDI_SIDE_LATIN, IDI_SIDE_CYRILLIC, 0}, WM_TOGGLE_KEYBOARD_SIDE, "52"},
    {RectLTRB(34, 0, 67, 33),
     {IDI_ONSCREEN_KEYBOARD, IDI_ONSCREEN_KEYBOARD_HOT, IDI_ONSCREEN_KEYBOARD},
     WM_TOGGLE_ONSCREEN_KEYBOARD,
     "26"},
    {RectLTRB(68, 0, 101, 33), {IDI_HELP, IDI_HELP_HOT, IDI_HELP}, WM_HELP, "27"},
    {RectLTRB(102, 0, 135, 33), {IDI_ABOUT, IDI_ABOUT_HOT, IDI_ABOUT}, WM_ABOUT_BOX, "28"},
    {RectLTRB(136, 0, 169, 33), {IDI_EXIT, IDI_EXIT_HOT, IDI_EXIT}, WM_CLOSE, "29"},
}};

} // namespace

void CMainDlg::SetLogo() {
    m_keyboard->SetLogo(LogoPicture(), QCursor(Qt::PointingHandCursor));
    // The face key works from now on.
    m_keyboard->m_bFaceLocked = 0;
}

void CMainDlg::CreateButtonBar() {
    m_buttonBar = CPictureButtonBar::TakeOver(GetDlgItem(this, kButtonBarId));
    for (const ToolButton& button : kToolButtons) {
        if (button.message == WM_TOGGLE_KEYBOARD_SIDE)
            m_buttonBar->AddToggleButton(button.rect, 32, 32, button.icons[0], button.icons[1], button.message);
        else
            m_buttonBar->AddPushButton(button.rect, 32, 32, button.icons[0], button.icons[1], button.icons[2],
                                       button.message);
    }
}

void CMainDlg::AttachToolTips() {
    m_tips = std::make_unique<CTipWindow>();
    m_tips->Create(m_buttonBar);
    m_tips->setFont(NormalFont());
    for (std::size_t i = 0; i < kToolButtons.size(); ++i)
        m_tips->SetTool("", kToolButtons[i].rect, static_cast<int>(i));
}

void CMainDlg::RelabelToolTips() {
    for (std::size_t i = 0; i < kToolButtons.size(); ++i)
        m_tips->SetToolText(LoadText(kToolButtons[i].tipKey), static_cast<int>(i));
}

// "kbdstate": 0 for the logo, else 10 x the face shown plus 1 for its standard table.
void CMainDlg::RestoreKeyboardState() {
    m_keyboard->SetFaces(kFaceLatin, kFaceRussian);
    const int state = ReadSetting(kSettingKeyboardState);
    if (state == 0) {
        if (m_keyboard->GetView() == kViewKeyboard)
            m_keyboard->ToggleView();
        return;
    }
    if (m_keyboard->GetView() != kViewKeyboard)
        m_keyboard->ToggleView();
    m_keyboard->SelectFace(state / 10, state % 10);
    // Shown at once: there is nothing to watch while the window opens.
    m_keyboard->FinishAnimation();
}

void CMainDlg::SaveKeyboardState() {
    int state = 0;
    if (m_keyboard->GetView() == kViewKeyboard)
        state = 10 * m_keyboard->m_nFaces[m_keyboard->m_nFaceIndex ? 1 : 0] + (m_keyboard->m_bAltTable ? 0 : 1);
    WriteSetting(kSettingKeyboardState, state);
}

void CMainDlg::ToggleKeyboardSide() {
    m_nKeyboardSide = 1 - m_nKeyboardSide;
    m_buttonBar->SetButtonState(kKeyboardSide, m_nKeyboardSide);
    if (m_nKeyboardSide == 0)
        m_keyboard->SelectFace(kFaceLatin, 1);
    PostLayoutOfSide(m_nKeyboardSide);
    if (m_nKeyboardSide == 0) {
        m_keyboard->SelectFace(kFaceLatin, 1);
        g_bLatinKeyboard = 1;
    } else {
        m_keyboard->SelectFace(kFaceRussian, 1);
        g_bLatinKeyboard = 0;
    }
}

// The side's layout option decides how typing works there: the installed system layout, or one
// of the emulations. The mode messages are posted, so they take effect when the event loop next
// passes them through the application; an option outside the list leaves the mode as it was.
void CMainDlg::PostLayoutOfSide(int side) {
    const int option = ReadSetting(side == 0 ? kSettingLayoutLatin : kSettingLayoutCyrillic);
    std::optional<KbdModeCommand> command = LayoutOptionCommand(side, option);
    if (!command)
        return;
    PostMessage(this, WM_KBD_OFF + static_cast<unsigned>(*command));
    if (*command == KbdModeCommand::Off)
        if (auto* app = CTranslatingApp::Instance())
            app->ActivateInstalledLayout(side);
}
