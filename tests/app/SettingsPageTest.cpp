// The Settings page as a user drives it: language, serial port and layouts.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "keyboard/CTranslatingApp.h"
#include "link/QtSerialDevice.h"
#include "support/ScopedComPort.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SettingsPageTest : public MainWindowTest {
protected:
    // The delivered profile, with the first two ports on devices that are not there: applying
    // tests the port in use and fails.
    void OpenSettings() {
        m_temp.InstallDeliveredProfile();
        for (const char* port : {"COM1", "COM2"})
            ProfileFile(m_temp.ProfilePath()).WriteString(kInterfaceSection, port, "/nonexistent/ttyKL840T");
        m_main = std::make_unique<CMainDlg>();
        m_main->show();
        ClickTab(2);
        m_page = g_pSettingsPage;
    }
    QWidget* Control(int id) { return m_page->findChild<QWidget*>(QString::number(id)); }
    QComboBox* List(int id) { return m_page->findChild<QComboBox*>(QString::number(id)); }
    void Apply() { QTest::mouseClick(Control(1), Qt::LeftButton); }

    CSettingsPage* m_page = nullptr;
    ScopedComPort m_port{QtSerialDevice::Open, SystemClock()};
};

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
    EXPECT_EQ(m_page->GetLanguageSection(), "russian");
    EXPECT_EQ(m_main->TabCtrl()->GetItemText(2), QString::fromUtf8("Настройки"));
    EXPECT_EQ(qobject_cast<QPushButton*>(Control(1))->text(), QString::fromUtf8("Применить"));
    EXPECT_EQ(MessageBoxSeam::Shown().back().message, LookupText(kRussianSection, "47"));
}

TEST_F(SettingsPageTest, TheThirdCyrillicLayoutIsOfferedOnlyWhenTheProfileHasIt) {
    OpenSettings();
    EXPECT_EQ(List(1107)->count(), 3) << "the delivered profile has it";
    m_main.reset();
    m_temp.WriteProfile("[interface]\r\n[germanbased]\r\n53=System\r\n55ru=Russisch\r\n");
    m_main = std::make_unique<CMainDlg>();
    ClickTab(2);
    EXPECT_EQ(g_pSettingsPage->findChild<QComboBox*>("1107")->count(), 2);
}

TEST_F(SettingsPageTest, EveryClickCountsAndEnterAppliesOnlyOnTheButton) {
    OpenSettings();
    ClickButton(Control(1013)); // already checked: counts all the same
    ClickButton(Control(1016));
    EXPECT_EQ(m_page->m_nChangeCount, 2);

    Control(1016)->setFocus();
    QTest::keyClick(Control(1016), Qt::Key_Return);
    EXPECT_EQ(m_page->m_nChangeCount, 2);
    EXPECT_TRUE(MessageBoxSeam::Shown().empty());

    Control(1)->setFocus();
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    QTest::keyClick(Control(1), Qt::Key_Return);
    EXPECT_EQ(m_page->m_nChangeCount, 0);
    EXPECT_EQ(MessageBoxSeam::Shown().size(), 1u) << "applying tested COM2 and failed";
}

} // namespace
