// The main window as a user meets it: start, texts, page switching, closing,
// the keyboard commands and help.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/CSettingsPage.h"
#include "app/HelpWindow.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "link/CExchangePage.h"
#include "records/CDataPage.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

// Stands in for a Data page whose save is refused by its record check: the
// save request is swallowed and g_bSaveRequested stays set.
class RefuseSave : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        CMessageEvent* message = CMessageEvent::From(event);
        if (!message || message->message() != WM_DATA_SAVE)
            return false;
        ++attempts;
        return true;
    }
    int attempts = 0;
};

std::string Key(const char* section, const char* key) { return LookupText(section, key); }

// The captions themselves come from the profile: none of them may read "error".
TEST_F(MainWindowTest, StartsOnTheExchangePageAndNoPageOfEitherLanguageShowsError) {
    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        m_temp.InstallDeliveredProfile();
        WriteSetting(kSettingLanguage, language);
        m_main = std::make_unique<CMainDlg>();
        m_main->show();
        EXPECT_EQ(m_main->windowTitle(), "KL840T Link");
        EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), 0);
        EXPECT_TRUE(g_pExchangePage->isVisible());
        EXPECT_FALSE(g_pDataPage->isVisible());
        for (int tab : {0, 1, 2}) {
            ClickTab(tab);
            QStringList texts = VisibleTexts(m_main.get());
            EXPECT_FALSE(texts.contains("error")) << tab << ": " << texts.join(" | ").toStdString();
        }
        m_main.reset();
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
    EXPECT_TRUE(VisibleTexts(m_main.get()).contains("error"));
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
        RefuseSave refuse;
        if (!c.saveGoesThrough)
            g_pDataPage->installEventFilter(&refuse);
        ClickTab(1);
        g_pDataPage->m_bModified = 1;
        MessageBoxSeam::QueueAnswer(c.answer);
        if (c.close)
            SendMessage(m_main.get(), WM_CLOSE);
        else
            ClickTab(0);

        ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
        EXPECT_EQ(MessageBoxSeam::Shown()[0].message, Key(kGermanSection, "80"));
        EXPECT_EQ(refuse.attempts, c.saveGoesThrough ? 0 : 1);
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

TEST_F(MainWindowTest, LeavingTheSettingsPageAsksAboutUnappliedChangesAndCancelKeepsTheProfile) {
    OpenMainWindow();
    ClickTab(2);
    ClickButton(g_pSettingsPage->findChild<QWidget*>("1014"));
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 1);
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageBoxSeam::Shown()[0].message, Key(kGermanSection, "81"));
    EXPECT_EQ(ReadSetting(kSettingLanguage), 0);
    ClickTab(2);
    EXPECT_TRUE(IsDlgButtonChecked(g_pSettingsPage, 1013));
    EXPECT_FALSE(IsDlgButtonChecked(g_pSettingsPage, 1014));
    EXPECT_EQ(g_pSettingsPage->m_nChangeCount, 0);
}

// During a transfer About and Exit are refused, by key and by button; Enter closes the About box.
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

} // namespace
