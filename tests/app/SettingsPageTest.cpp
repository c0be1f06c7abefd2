// The Settings page as a user drives it: language, serial port and layouts.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "controls/PcString.h"
#include "keyboard/CTranslatingApp.h"
#include "link/ProcessComPort.h"
#include "link/QtSerialDevice.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::string kMissingDevice = "/nonexistent/ttyKL840T";

class SettingsPageTest : public MainWindowTest {
protected:
    // The delivered profile, with the devices of some ports named.
    void OpenSettings(std::initializer_list<std::pair<const char*, std::string>> devices = {}) {
        m_temp.InstallDeliveredProfile();
        for (const auto& [port, device] : devices)
            ProfileFile(m_temp.ProfilePath()).WriteString(kInterfaceSection, port, device);
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

TEST_F(SettingsPageTest, APortThatOpensIsWrittenAndStaysOpen) {
    if (!SocatPair::Available())
        GTEST_SKIP() << "socat is not installed";
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    OpenSettings({{"COM1", pair.First()}});
    WriteSetting(kSettingComPort, 2);
    ClickTab(0);
    ClickTab(2);
    ClickButton(Control(1015));
    Apply();
    EXPECT_EQ(ReadSetting(kSettingComPort), 0);
    EXPECT_TRUE(CurrentComPort().IsOpen());
    EXPECT_TRUE(MessageBoxSeam::Shown().empty());
}

TEST_F(SettingsPageTest, APortThatDoesNotOpenShowsTheMessageAndTheOldChoiceComesBack) {
    OpenSettings({{"COM3", kMissingDevice}});
    std::string before = ReadFileBytes(m_temp.ProfilePath());
    ClickButton(Control(1017));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Apply();
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
    const ShownMessageBox& shown = MessageBoxSeam::Shown()[0];
    EXPECT_EQ(shown.message, LookupText(kGermanSection, "47"));
    EXPECT_TRUE(shown.cancelText.empty());
    EXPECT_TRUE(IsDlgButtonChecked(m_page, 1015));
    EXPECT_FALSE(IsDlgButtonChecked(m_page, 1017));
    EXPECT_EQ(m_page->m_nComPort, 0);
    EXPECT_EQ(ReadSetting(kSettingComPort), 0);
    EXPECT_EQ(ReadFileBytes(m_temp.ProfilePath()).find("com=0"), before.find("com=0"));
}

TEST_F(SettingsPageTest, ALatinLayoutBeyondTheListShowsNoSelectionAndIsWrittenAsMinusOne) {
    OpenSettings({{"COM1", kMissingDevice}, {"COM2", kMissingDevice}});
    WriteSetting(kSettingLayoutLatin, 2);
    ClickTab(0);
    ClickTab(2);
    EXPECT_EQ(List(1108)->currentIndex(), -1);
    MessageBoxSeam::QueueAnswer(IDOK_RESULT); // the port does not open
    Apply();
    EXPECT_EQ(ReadSetting(kSettingLayoutLatin), -1);
}

// Which mode each layout gives is the tool bar's test; applying posts the one of the side in use.
TEST_F(SettingsPageTest, ApplyingPostsTheLayoutOfTheSideInUse) {
    OpenSettings({{"COM1", kMissingDevice}, {"COM2", kMissingDevice}});
    m_main->m_nKeyboardSide = 1;
    List(1108)->setCurrentIndex(1);
    List(1107)->setCurrentIndex(2);
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Apply();
    QCoreApplication::processEvents();
    EXPECT_EQ(CTranslatingApp::Instance()->KeyboardMode(), (KeyboardModeState{1, KBD_KIND_RUSSIAN, 1}));
}

TEST_F(SettingsPageTest, ChangingTheLanguageRelabelsThePageAndTheTabsAtOnce) {
    OpenSettings({{"COM1", kMissingDevice}, {"COM2", kMissingDevice}});
    ClickButton(Control(1014));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Apply();
    EXPECT_EQ(ReadSetting(kSettingLanguage), 1);
    EXPECT_EQ(m_page->GetLanguageSection(), "russian");
    EXPECT_EQ(m_main->TabCtrl()->GetItemText(2), QString::fromUtf8("Настройки"));
    EXPECT_EQ(qobject_cast<QPushButton*>(Control(1))->text(), QString::fromUtf8("Применить"));
    EXPECT_EQ(MessageBoxSeam::Shown().back().message, LookupText(kRussianSection, "47"));
    QStringList texts = VisibleTexts(m_main.get());
    EXPECT_FALSE(texts.contains("error")) << texts.join(" | ").toStdString();
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
    OpenSettings({{"COM1", kMissingDevice}, {"COM2", kMissingDevice}});
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
