// The devices behind the Settings page's COM radios: tool tips, the right-click menu, applying a choice.
#include "app/CMainDlg.h"
#include "app/CSettingsPage.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "keyboard/CodePages.h"
#include "link/ProcessComPort.h"
#include "link/QtSerialDevice.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SettingsComDeviceTest : public MainWindowTest {
protected:
    QWidget* Radio(int port) { return g_pSettingsPage->findChild<QWidget*>(QString::number(1014 + port)); }

    FakeSerialDeviceSource m_source;
    ScopedComPort m_port{QtSerialDevice::Open, SystemClock()};
};

TEST_F(SettingsComDeviceTest, TheMenuChoosesADeviceThatApplyingTestsAndWrites) {
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    const std::string refused = "/nonexistent/by-id/usb-Orvela_Cable_A";
    m_source.found = {UsbAdapter(refused, "/nonexistent/ttyUSB0"), BuiltInPort(pair.First())};
    m_source.refused[refused] = "dialout";
    m_temp.InstallDeliveredProfile();
    ProfileFile profile(m_temp.ProfilePath());
    profile.WriteString(kInterfaceSection, "COM2", "/nonexistent/ttyS9");
    OpenMainWindow(false);
    ClickTab(2);
    EXPECT_EQ(Radio(1)->toolTip().toStdString(),
              refused + "\n" + PcToUtf8(LookupText(kGermanSection, "160")) + " dialout");
    EXPECT_EQ(Radio(2)->toolTip(), "/nonexistent/ttyS9") << "the profile's device wins";

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
        QPoint at = Radio(step.port)->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, Radio(step.port)->mapToGlobal(at));
        QApplication::sendEvent(Radio(step.port), &event);
        std::unique_ptr<QMenu> menu(g_pSettingsPage->findChild<QMenu*>());
        QList<QAction*> actions = menu->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        ASSERT_EQ(actions.size(), 3);
        actions[step.entry]->trigger();
        MessageBoxSeam::Reset();
        QTest::mouseClick(g_pSettingsPage->findChild<QWidget*>("1"), Qt::LeftButton);
        ASSERT_EQ(MessageBoxSeam::Shown().size(), step.fails ? 1u : 0u) << "COM" << step.port;
        if (step.fails) { // an error with OK alone
            EXPECT_EQ(MessageBoxSeam::Shown()[0].message, LookupText(kGermanSection, "47"));
            EXPECT_TRUE(MessageBoxSeam::Shown()[0].cancelText.empty());
        }
        MessageBoxSeam::Reset();
        EXPECT_EQ(profile.GetString(kInterfaceSection, "COM" + std::to_string(step.port), "(none)"), step.written);
        EXPECT_EQ(ReadSetting(kSettingComPort), step.com);
        EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1015 + step.com));
        EXPECT_EQ(CurrentComPort().IsOpen(), !step.fails);
    }
}

} // namespace
