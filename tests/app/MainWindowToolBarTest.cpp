// The main window's tool bar and keyboard side: the buttons and their tips, the side toggle with
// the layout it applies, and the on-screen keyboard's state across runs.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/Profile.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "keyboard/COnScreenKeyboard.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyboardSide.h"
#include "support/FakeKeyboardLayouts.h"
#include "support/FakeKeyboardTimer.h"
#include "support/WindowTest.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records the keyboard mode messages that reach the main window.
class ModeMessages : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (auto* message = CMessageEvent::From(event))
            if (message->message() >= WM_KBD_OFF && message->message() <= WM_KBD_INTERNATIONAL)
                m_seen.push_back(message->message());
        return false;
    }
    std::vector<unsigned> Take() {
        QCoreApplication::processEvents(); // the mode messages are posted
        return std::exchange(m_seen, {});
    }
    std::vector<unsigned> m_seen;
};

class MainWindowToolBarTest : public MainWindowTest {
protected:
    // Opens the main window with the delivered profile and these settings.
    void Open(int kbdstate, int layoutLatin = 0, int layoutCyrillic = 0) {
        m_temp.InstallDeliveredProfile();
        WriteSetting(kSettingKeyboardState, kbdstate);
        WriteSetting(kSettingLayoutLatin, layoutLatin);
        WriteSetting(kSettingLayoutCyrillic, layoutCyrillic);
        Reopen();
        auto timer = std::make_unique<FakeKeyboardTimer>();
        m_timer = timer.get();
        Keyboard()->SetAnimationTimer(std::move(timer));
    }
    void Reopen() {
        m_main.reset();
        m_main = std::make_unique<CMainDlg>();
        m_main->installEventFilter(&m_modes);
        m_main->show();
    }

    CPictureButtonBar* Bar() const { return m_main->ButtonBar(); }
    COnScreenKeyboard* Keyboard() const { return m_main->OnScreenKeyboard(); }
    void ClickBarButton(int index) {
        QTest::mouseClick(Bar(), Qt::LeftButton, Qt::NoModifier, Bar()->ButtonRect(index).center());
    }
    void ClickAlternateTableKey() {
        const KeySlot& slot = KeySlotAt(4, 1);
        QTest::mouseClick(Keyboard(), Qt::LeftButton, Qt::NoModifier,
                          Keyboard()->KeyboardOrigin() + QPoint(slot.x + 5, 4 * kKeyRowHeight + 8));
    }

    ModeMessages m_modes;
    FakeKeyboardTimer* m_timer = nullptr;
};

// The tips see the mouse through the window's pre-translation, in the interface language.
TEST_F(MainWindowToolBarTest, TheTipsFollowTheMouseInTheInterfaceLanguage) {
    Open(0);
    const char* keys[] = {"52", "26", "27", "28", "29"};
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        Reopen();
        m_main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
        m_main->ToolTips()->SetFocusProbe([] { return true; });
        const char* section = language == 0 ? kGermanSection : kRussianSection;
        for (int i = 0; i < 5; ++i) {
            QTest::mouseMove(Bar(), Bar()->ButtonRect(i).center());
            EXPECT_EQ(m_main->ToolTips()->CurrentText(), PcToQString(LookupText(section, keys[i]))) << language << i;
        }
    }
}

// The next start comes back on the Latin side, with the keyboard or the logo as it was.
TEST_F(MainWindowToolBarTest, ClosingRemembersTheKeyboardShownForTheNextStart) {
    struct Case {
        const char* name;
        int sideToggles; // by Alt+K
        bool alternateTable;
        int logo; // 1: by the button, the animation done; 2: by Alt+L, still animating at close
        int saved;
    };
    const Case cases[] = {
        {"Latin", 0, false, 0, 41},
        {"Latin accented", 0, true, 0, 40},
        {"Cyrillic", 1, false, 0, 31},
        {"Cyrillic typewriter", 1, true, 0, 30},
        {"back to Latin", 2, false, 0, 41},
        {"logo", 1, false, 1, 0},
        {"an animation running counts as the logo", 0, false, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(41);
        for (int i = 0; i < c.sideToggles; ++i)
            QTest::keyClick(m_main->TabCtrl(), Qt::Key_K, Qt::AltModifier);
        EXPECT_EQ(Bar()->ButtonState(CMainDlg::kKeyboardSide), c.sideToggles % 2);
        if (c.alternateTable)
            ClickAlternateTableKey();
        if (c.logo == 1) {
            ClickBarButton(CMainDlg::kOnScreenKeyboard);
            m_timer->Fire(6);
        } else if (c.logo == 2) {
            QTest::keyClick(m_main->TabCtrl(), Qt::Key_L, Qt::AltModifier);
            EXPECT_EQ(Keyboard()->GetView(), kViewToLogo);
        }
        SendMessage(m_main.get(), WM_CLOSE);
        EXPECT_FALSE(m_main->isVisible());
        EXPECT_EQ(ReadSetting(kSettingKeyboardState), c.saved);

        Reopen();
        EXPECT_EQ(Keyboard()->GetView(), c.logo != 0 ? kViewLogo : kViewKeyboard);
        EXPECT_EQ(m_main->GetKeyboardSide(), 0);
        EXPECT_EQ(g_bLatinKeyboard, 1);
        EXPECT_EQ(Keyboard()->Table(), KeyboardTable::Latin);
        m_main.reset();
    }
}

// The system layout option also activates the first installed layout of its side; an emulation
// leaves the system layout alone.
TEST_F(MainWindowToolBarTest, TheSideButtonPostsTheLayoutOfEachSide) {
    struct Case {
        int layoutLatin;
        int layoutCyrillic;
        std::vector<unsigned> cyrillic;
        std::vector<unsigned> latin;
        std::string active; // the system layout after both sides
    };
    const Case cases[] = {
        {1, 0, {WM_KBD_OFF}, {WM_KBD_GERMAN}, "00000407"},
        {1, 1, {WM_KBD_RUSSIAN}, {WM_KBD_GERMAN}, "00000419"},
        {1, 2, {WM_KBD_RUSSIAN_TYPEWRITER}, {WM_KBD_GERMAN}, "00000419"},
        {2, 1, {WM_KBD_RUSSIAN}, {WM_KBD_INTERNATIONAL}, "00000419"},
        {0, 1, {WM_KBD_RUSSIAN}, {WM_KBD_OFF}, "00000409"},
        {7, 3, {}, {}, "00000419"}, // options outside the lists leave the mode alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layoutLatin << " " << c.layoutCyrillic);
        auto layouts =
            std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000407", "00000409", "00000419"}, 2);
        FakeKeyboardLayouts* system = layouts.get();
        CTranslatingApp::Instance()->SetKeyboardLayouts(std::move(layouts));
        Open(0, c.layoutLatin, c.layoutCyrillic);
        EXPECT_EQ(m_modes.Take(), c.latin) << "start-up applies the Latin side's layout";
        ClickBarButton(CMainDlg::kKeyboardSide);
        EXPECT_EQ(m_modes.Take(), c.cyrillic);
        ClickBarButton(CMainDlg::kKeyboardSide);
        EXPECT_EQ(m_modes.Take(), c.latin);
        EXPECT_EQ(system->ActiveLayoutName(), c.active);
        m_main.reset();
    }
}

} // namespace
