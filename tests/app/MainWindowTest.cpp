// The main window as a user meets it: start, texts and tips in either language,
// page switching, closing, the keyboard commands and help; the tool bar's side
// toggle with the layout it applies and the on-screen keyboard's state across
// runs; and what a user of the mouse, the keyboard or a screen reader meets
// around it: message boxes that take clicks, picture buttons with names, the
// tabs under the wheel and their widths, the face key's legend.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/HelpWindow.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "keyboard/COnScreenKeyboard.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyboardFaces.h"
#include "keyboard/KeyboardSide.h"
#include "link/CExchangePage.h"
#include "records/CDataPage.h"
#include "support/FakeKeyboardLayouts.h"
#include "support/FakeKeyboardTimer.h"
#include "support/WindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <QWheelEvent>

namespace {

// Records the program's messages from `first` to `last` that reach a window,
// and swallows them when told to, as a Data page whose record check refuses the
// save does.
struct Messages : QObject {
    Messages(unsigned first, unsigned last, bool swallow = false) : first(first), last(last), swallow(swallow) {}
    bool eventFilter(QObject*, QEvent* event) override {
        CMessageEvent* message = CMessageEvent::From(event);
        if (!message || message->message() < first || message->message() > last)
            return false;
        seen.push_back(message->message());
        return swallow;
    }
    std::vector<unsigned> Take() {
        QCoreApplication::processEvents(); // the messages are posted
        return std::exchange(seen, {});
    }
    unsigned first, last;
    bool swallow;
    std::vector<unsigned> seen;
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
        OpenMainWindow(false);
        m_main->installEventFilter(&m_modes); // the start's mode messages are posted: they reach it
    }

    CPictureButtonBar* Bar() const { return m_main->ButtonBar(); }
    COnScreenKeyboard* Keyboard() const { return m_main->OnScreenKeyboard(); }
    void ClickBarButton(int index) {
        QTest::mouseClick(Bar(), Qt::LeftButton, Qt::NoModifier, Bar()->ButtonRect(index).center());
    }

    Messages m_modes{WM_KBD_OFF, WM_KBD_INTERNATIONAL};
    FakeKeyboardTimer* m_timer = nullptr;
};

} // namespace

// The captions and the tips come from the profile in the interface language:
// none of them may read "error". The tips see the mouse through the window's
// pre-translation.
TEST_F(MainWindowToolBarTest, EitherLanguageStartsOnTheExchangePageWithItsTipsAndNoPageShowsError) {
    Open(0);
    const char* keys[] = {"52", "26", "27", "28", "29"};
    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        WriteSetting(kSettingLanguage, language);
        Reopen();
        EXPECT_EQ(m_main->windowTitle(), "KL840T Link");
        EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), 0);
        EXPECT_TRUE(g_pExchangePage->isVisible());
        EXPECT_FALSE(g_pDataPage->isVisible());
        m_main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
        m_main->ToolTips()->SetFocusProbe([] { return true; });
        const char* section = language == 0 ? kGermanSection : kRussianSection;
        for (int i = 0; i < 5; ++i) {
            QTest::mouseMove(Bar(), Bar()->ButtonRect(i).center());
            EXPECT_EQ(m_main->ToolTips()->CurrentText(), PcToQString(LookupText(section, keys[i]))) << i;
        }
        for (int tab : {0, 1, 2}) {
            ClickTab(tab);
            QStringList texts = VisibleTexts(m_main.get());
            EXPECT_FALSE(texts.contains("error")) << tab << ": " << texts.join(" | ").toStdString();
        }
    }
}

TEST_F(MainWindowTest, WithoutProfileEveryCaptionReadsErrorAndNothingBreaks) {
    OpenMainWindow(false);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_main->TabCtrl()->GetItemText(i), "error");
    EXPECT_EQ(g_pSettingsPage->GetLanguageSection(), "germanbased");
    ClickTab(2);
    EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1013));
    EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1015));
}

// Leaving the Data page, by another tab or by closing, with a pending edit:
// the question, the save, and where the user ends up (the saves themselves are
// the Data page's tests).
TEST_F(MainWindowTest, LeavingTheDataPageWithAPendingEdit) {
    struct Case {
        const char* name;
        bool close;
        int answer;
        bool saveGoesThrough;
        bool stays; // on the Data page, the window open
    };
    const Case cases[] = {
        {"Cancel drops the changes and switches", false, IDCANCEL_RESULT, true, false},
        {"OK saves and closes", true, IDOK_RESULT, true, false},
        {"a refused save keeps the window open on the Data page", true, IDOK_RESULT, false, true},
        {"Cancel closes without saving", true, IDCANCEL_RESULT, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenMainWindow();
        Messages refused(WM_DATA_SAVE, WM_DATA_SAVE, true);
        if (!c.saveGoesThrough)
            g_pDataPage->installEventFilter(&refused);
        ClickTab(1);
        g_pDataPage->m_bModified = 1;
        MessageBoxSeam::QueueAnswer(c.answer);
        if (c.close)
            SendMessage(m_main.get(), WM_CLOSE);
        else
            ClickTab(0);

        ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
        EXPECT_EQ(MessageBoxSeam::Shown()[0].message, LookupText(kGermanSection, "80"));
        EXPECT_EQ(refused.seen.size(), c.saveGoesThrough ? 0u : 1u);
        ASSERT_EQ(m_main->isVisible(), !c.close || c.stays);
        if (m_main->isVisible()) {
            EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), c.stays ? 1 : 0);
            EXPECT_EQ(g_pDataPage->isVisible(), c.stays);
            EXPECT_EQ(g_pDataPage->m_bModified != 0, c.stays);
        }
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

// During a transfer About and Exit are refused, by key and by button; Enter
// closes the About box.
TEST_F(MainWindowTest, AboutAndExitCommandsFollowTheTransferLock) {
    OpenMainWindow();
    int aboutBoxes = 0;
    auto altKey = [&](Qt::Key key) {
        QTest::keyClick(g_pExchangePage->findChild<QWidget*>("1"), key, Qt::AltModifier);
    };
    m_main->SetTransferUi(false);
    EXPECT_FALSE(m_main->TabCtrl()->isEnabled());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(m_main->ButtonBar()->IsButtonDisabled(i), i >= CMainDlg::kAbout) << i;
    altKey(Qt::Key_A);
    altKey(Qt::Key_X);
    EXPECT_EQ(aboutBoxes, 0);
    EXPECT_TRUE(m_main->isVisible());

    m_main->SetTransferUi(true);
    OnNextModal([&](QWidget* modal) {
        aboutBoxes += modal->findChild<QLabel*>("1124")->text() == "Version 1.0.3";
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key_Return);
        if (modal->isVisible()) {
            ADD_FAILURE() << "Enter left the About box open";
            modal->close();
        }
    });
    altKey(Qt::Key_A);
    EXPECT_EQ(aboutBoxes, 1);
    for (Qt::Key unhandled : {Qt::Key_S, Qt::Key_D, Qt::Key_U, Qt::Key_I, Qt::Key_C})
        altKey(unhandled);
    EXPECT_TRUE(m_main->isVisible());
    altKey(Qt::Key_X);
    EXPECT_FALSE(m_main->isVisible());
}

TEST_F(MainWindowTest, HelpOpensTheTopicOfThePageShown) {
    OpenMainWindow();
    const std::pair<int, int> cases[] = {{0, 131576}, {1, 131578}, {2, 131572}};
    for (auto [tab, context] : cases) {
        ClickTab(tab);
        QTest::keyClick(m_main.get(), Qt::Key_F1);
        EXPECT_EQ(CHelpWindow::CurrentContext(), context) << tab;
        CHelpWindow::Quit();
        QTest::keyClick(m_main.get(), Qt::Key_H, Qt::AltModifier);
        EXPECT_EQ(CHelpWindow::CurrentContext(), context) << tab;
        ASSERT_NE(CHelpWindow::Window(), nullptr);
        EXPECT_TRUE(CHelpWindow::Window()->isVisible());
    }
    m_main.reset();
    EXPECT_EQ(CHelpWindow::Window(), nullptr) << "the main window's end closes help";
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheMainWindow) {
    OpenMainWindow();
    ClickTab(2);
    QWidget* radio = g_pSettingsPage->findChild<QWidget*>("1015");
    radio->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(radio, key);
        QTest::keyClick(m_main.get(), key);
    }
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_TRUE(g_pSettingsPage->isVisible());
}

// The next start comes back on the Latin side, with the keyboard or the logo as
// it was.
TEST_F(MainWindowToolBarTest, ClosingRemembersTheKeyboardShownForTheNextStart) {
    struct Case {
        const char* name;
        int sideToggles; // by Alt+K
        bool alternateTable;
        int logo; // 1: by the button, the animation done; 2: by Alt+L, still
                  // animating at close
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
        if (c.alternateTable) { // the key that switches to the side's other table
            const KeySlot& slot = KeySlotAt(4, 1);
            QTest::mouseClick(Keyboard(), Qt::LeftButton, Qt::NoModifier,
                              Keyboard()->KeyboardOrigin() + QPoint(slot.x + 5, 4 * kKeyRowHeight + 8));
        }
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

// The system layout option also activates the first installed layout of its
// side; an emulation leaves the system layout alone.
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

// A click on the exit button asks through the same box as Alt+X; the bar's own
// release when any modal window blocks it is the bar's test.
TEST_F(MainWindowTest, NoControlHoldsTheCaptureWhenAMessageBoxOpens) {
    OpenMainWindow();
    g_pDataPage->m_bModified = 1; // closing asks about it
    // The mouse rests on the exit button, which captures it (the platform moves
    // the mouse only to where it is not).
    CPictureButtonBar* bar = m_main->ButtonBar();
    QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kHelp).center());
    QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kExit).center());
    ASSERT_EQ(QWidget::mouseGrabber(), bar);
    std::vector<QWidget*> grabbers; // who held the capture as the box opened
    MessageBoxSeam::SetInspector([&grabbers](QDialog&) { grabbers.push_back(QWidget::mouseGrabber()); });
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    QTest::keyClick(m_main.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(grabbers, std::vector<QWidget*>{nullptr});
    MessageBoxSeam::Reset();
}

TEST_F(MainWindowTest, TheDataPagePictureButtonsHaveNamesFromTheStart) {
    OpenMainWindow();
    for (CPictureButtonBar* bar : {g_pDataPage->CommandBar(), g_pDataPage->LockBar()}) {
        QAccessibleInterface* buttons = QAccessible::queryAccessibleInterface(bar);
        ASSERT_GT(buttons->childCount(), 0);
        for (int i = 0; i < buttons->childCount(); ++i)
            EXPECT_FALSE(buttons->child(i)->text(QAccessible::Name).isEmpty()) << i;
    }
}

TEST_F(MainWindowTest, TheTabsAreOfEqualWidthAndTheWheelLeavesThem) {
    OpenMainWindow();
    CCenteredTabBar* tabs = m_main->TabCtrl()->Bar();
    for (int i = 1; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabRect(i).width(), tabs->tabRect(0).width());
    const QPoint over = tabs->tabRect(0).center();
    QWheelEvent wheel(over, tabs->mapToGlobal(over), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), 0);
}

TEST(KeyboardFaces, TheFaceKeyLegendSpansItsKey) {
    const QImage face = PaintKeyboardFace(KeyboardTable::Latin, false).toImage();
    const KeyRect key = KeyRects(4, 0).front();
    QRect legend; // the dark pixels inside the key's frame
    for (int y = key.y + 1; y < key.y + key.height - 1; ++y)
        for (int x = key.x + 1; x < key.x + key.width - 1; ++x)
            if (qGray(face.pixel(x, y)) < 128)
                legend |= QRect(x, y, 1, 1);
    EXPECT_GE(legend.width(), key.width / 2);
    EXPECT_GE(legend.height(), 5);
}
