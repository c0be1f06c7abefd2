// The Settings page as a user drives it: language, layouts, and the serial port with the devices
// behind its COM radios (tool tips, the right-click menu, applying a choice).
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/CodePages.h"
#include "link/QtSerialDevice.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

class SettingsPageTest : public MainWindowTest {
protected:
    // Opens the page on the delivered profile with these devices for its ports; by default the first
    // two on devices that are not there, so that applying tests the port in use and fails.
    void OpenSettings(std::initializer_list<std::pair<const char*, const char*>> devices = {
                          {"COM1", "/nonexistent/ttyKL840T"}, {"COM2", "/nonexistent/ttyKL840T"}}) {
        m_temp.InstallDeliveredProfile();
        for (auto [port, device] : devices)
            m_profile.WriteString(kInterfaceSection, port, device);
        OpenMainWindow(false);
        ClickTab(2);
    }
    QWidget* Control(int id) { return g_pSettingsPage->findChild<QWidget*>(QString::number(id)); }
    QComboBox* List(int id) { return g_pSettingsPage->findChild<QComboBox*>(QString::number(id)); }
    void Apply() { QTest::mouseClick(Control(1), Qt::LeftButton); }

    ProfileFile m_profile{m_temp.ProfilePath()};
    FakeSerialDeviceSource m_source;
    ScopedComPort m_port{QtSerialDevice::Open, SystemClock()};
};

} // namespace

// Which mode each layout gives is the tool bar's test; applying posts the one of the side in use.
TEST_F(SettingsPageTest, ApplyingPostsTheLayoutOfTheSideInUseAndALatinLayoutBeyondTheListIsMinusOne) {
    OpenSettings();
    WriteSetting(kSettingLayoutLatin, 2);
    ClickTab(0);
    ClickTab(2);
    EXPECT_EQ(List(1108)->currentIndex(), -1);
    m_main->m_nKeyboardSide = 1;
    List(1107)->setCurrentIndex(2);
    MessageBoxSeam::QueueAnswer(IDOK_RESULT); // the port does not open
    Apply();
    QCoreApplication::processEvents();
    EXPECT_EQ(CTranslatingApp::Instance()->KeyboardMode(), (KeyboardModeState{1, KBD_KIND_RUSSIAN, 1}));
    EXPECT_EQ(ReadSetting(kSettingLayoutLatin), -1);
}

TEST_F(SettingsPageTest, ChangingTheLanguageRelabelsThePageAndTheTabsAtOnce) {
    OpenSettings();
    ClickButton(Control(1014));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Apply();
    EXPECT_EQ(ReadSetting(kSettingLanguage), 1);
    EXPECT_EQ(g_pSettingsPage->GetLanguageSection(), "russian");
    EXPECT_EQ(m_main->TabCtrl()->GetItemText(2), QString::fromUtf8("Настройки"));
    EXPECT_EQ(qobject_cast<QPushButton*>(Control(1))->text(), QString::fromUtf8("Применить"));
    EXPECT_EQ(MessageBoxSeam::Shown().back().message, LookupText(kRussianSection, "47"));
}

// The delivered profile offers it (the first case applies it).
TEST_F(SettingsPageTest, TheThirdCyrillicLayoutIsOfferedOnlyWhenTheProfileHasIt) {
    m_temp.WriteProfile("[interface]\r\n[germanbased]\r\n53=System\r\n55ru=Russisch\r\n");
    OpenMainWindow(false);
    ClickTab(2);
    EXPECT_EQ(List(1107)->count(), 2);
}

TEST_F(SettingsPageTest, LeavingTheSettingsPageAsksAboutUnappliedChangesAndCancelKeepsTheProfile) {
    OpenSettings();
    ClickButton(Control(1014));
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 1);
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageBoxSeam::Shown()[0].message, LookupText(kGermanSection, "81"));
    EXPECT_EQ(ReadSetting(kSettingLanguage), 0);
    ClickTab(2);
    EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1013));
    EXPECT_FALSE(IsDlgButtonChecked(g_pSettingsPage, 1014));
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 0);
}

TEST_F(SettingsPageTest, EveryClickCountsAndEnterAppliesOnlyOnTheButton) {
    OpenSettings();
    ClickButton(Control(1013)); // already checked: counts all the same
    ClickButton(Control(1016));
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 2);

    Control(1016)->setFocus();
    QTest::keyClick(Control(1016), Qt::Key_Return);
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 2);
    EXPECT_TRUE(MessageBoxSeam::Shown().empty());

    Control(1)->setFocus();
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    QTest::keyClick(Control(1), Qt::Key_Return);
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 0);
    EXPECT_EQ(MessageBoxSeam::Shown().size(), 1u) << "applying tested COM2 and failed";
}

TEST_F(SettingsPageTest, TheMenuChoosesADeviceThatApplyingTestsAndWrites) {
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    const std::string refused = "/nonexistent/by-id/usb-Orvela_Cable_A";
    m_source.found = {UsbAdapter(refused, "/nonexistent/ttyUSB0"), BuiltInPort(pair.First())};
    m_source.refused[refused] = "dialout";
    OpenSettings({{"COM2", "/nonexistent/ttyS9"}});
    EXPECT_EQ(Control(1015)->toolTip().toStdString(),
              refused + "\n" + PcToUtf8(LookupText(kGermanSection, "160")) + " dialout");
    EXPECT_EQ(Control(1016)->toolTip(), "/nonexistent/ttyS9") << "the profile's device wins";

    // The menu's entries: the refused adapter, the pseudo-terminal, "Default".
    const struct {
        int port, entry;
        bool fails; // with message "47"
        std::string written;
        int com;
    } steps[] = {
        {1, 2, true, "(none)", 0},      // the default: the refused adapter
        {2, 2, false, "", 1},           // the default: the pseudo-terminal
        {3, 1, false, pair.First(), 2}, // the pseudo-terminal by name
        {4, 0, true, "(none)", 2},      // the refused adapter: COM3 comes back
    };
    for (const auto& step : steps) {
        QWidget* radio = Control(1014 + step.port);
        QContextMenuEvent event(QContextMenuEvent::Mouse, radio->rect().center(),
                                radio->mapToGlobal(radio->rect().center()));
        QApplication::sendEvent(radio, &event);
        std::unique_ptr<QMenu> menu(g_pSettingsPage->findChild<QMenu*>());
        QList<QAction*> actions = menu->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        ASSERT_EQ(actions.size(), 3);
        actions[step.entry]->trigger();
        Apply();
        ASSERT_EQ(MessageBoxSeam::Shown().size(), step.fails ? 1u : 0u) << "COM" << step.port;
        if (step.fails) { // an error with OK alone
            EXPECT_EQ(MessageBoxSeam::Shown()[0].message, LookupText(kGermanSection, "47"));
            EXPECT_TRUE(MessageBoxSeam::Shown()[0].cancelText.empty());
        }
        MessageBoxSeam::Reset();
        EXPECT_EQ(m_profile.GetString(kInterfaceSection, "COM" + std::to_string(step.port), "(none)"), step.written);
        EXPECT_EQ(ReadSetting(kSettingComPort), step.com);
        EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1015 + step.com));
        EXPECT_EQ(CurrentComPort().IsOpen(), !step.fails);
    }
}
