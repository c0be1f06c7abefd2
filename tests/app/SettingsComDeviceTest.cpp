// The devices behind the Settings page's COM radios: tool tips, the right-click menu and applying a choice.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "app/ProgramPaths.h"
#include "controls/PcString.h"
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

const std::string kRefused = "/nonexistent/by-id/usb-Orvela_Cable_A";

class SettingsComDeviceTest : public MainWindowTest {
protected:
    QWidget* Radio(int port) { return g_pSettingsPage->findChild<QWidget*>(QString::number(1014 + port)); }
    std::string ProfileCom(int port) {
        return ProfileFile(ProfilePath()).GetString(kInterfaceSection, "COM" + std::to_string(port), "(none)");
    }
    // Opens the radio's menu as a right click does and picks the entry.
    void Choose(int port, int entry) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), Radio(port)->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(Radio(port), &event);
        QMenu* menu = g_pSettingsPage->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        QList<QAction*> actions = menu->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        ASSERT_EQ(actions.size(), 3);
        actions[entry]->trigger();
        delete menu;
    }
    // Applies; true when the port test failed with message "47".
    bool ApplyFails() {
        MessageBoxSeam::Reset();
        QTest::mouseClick(g_pSettingsPage->findChild<QWidget*>("1"), Qt::LeftButton);
        bool failed = !MessageBoxSeam::Shown().empty();
        if (failed) {
            EXPECT_EQ(MessageBoxSeam::Shown().back().message, LookupText(kGermanSection, "47"));
        }
        MessageBoxSeam::Reset();
        return failed;
    }

    FakeSerialDeviceSource m_source;
    ScopedComPort m_port{QtSerialDevice::Open, SystemClock()};
};

TEST_F(SettingsComDeviceTest, TheMenuChoosesADeviceThatApplyingTestsAndWrites) {
    if (!SocatPair::Available())
        GTEST_SKIP() << "socat is not installed";
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    m_source.found = {UsbAdapter(kRefused, "/nonexistent/ttyUSB0"), BuiltInPort(pair.First())};
    m_source.refused[kRefused] = "dialout";
    m_temp.InstallDeliveredProfile();
    ProfileFile(m_temp.ProfilePath()).WriteString(kInterfaceSection, "COM2", "/nonexistent/ttyS9");
    OpenMainWindow(false);
    ClickTab(2);

    const QString joinGroup = PcToQString(LookupText(kGermanSection, "150")) + " dialout";
    EXPECT_EQ(Radio(1)->toolTip(), QString::fromStdString(kRefused) + "\n" + joinGroup);
    EXPECT_EQ(Radio(2)->toolTip(), "/nonexistent/ttyS9") << "a device named in the profile wins";
    EXPECT_TRUE(ApplyFails()) << "the adapter refuses this user";

    // Menu: the two devices found, then "Default" (here the pseudo-terminal).
    struct Step {
        int port, entry;
        bool fails;
        std::string written;
        int com;
    };
    const Step steps[] = {
        {2, 2, false, "", 1},           // Default
        {3, 1, false, pair.First(), 2}, // the pseudo-terminal by name
        {4, 0, true, "(none)", 2},      // the refused adapter: nothing written
    };
    for (const Step& step : steps) {
        Choose(step.port, step.entry);
        EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1014 + step.port));
        EXPECT_EQ(ApplyFails(), step.fails) << "COM" << step.port;
        EXPECT_EQ(CurrentComPort().IsOpen(), !step.fails) << "a port that opened stays open";
        EXPECT_EQ(ProfileCom(step.port), step.written) << "COM" << step.port;
        EXPECT_EQ(ReadSetting(kSettingComPort), step.com);
        EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1015 + step.com));
    }
}

} // namespace
