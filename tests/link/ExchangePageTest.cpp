// The Exchange page driven as a user would, through whole transfers with the
// in-process simulated handheld.
#include "link/CExchangePage.h"

#include "TransferTestSupport.h"
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "handheld/SampleSections.h"
#include "records/CDataPage.h"
#include "support/ScopedComPort.h"
#include "support/WindowTest.h"

#include <QTest>
#include <QTimer>

namespace {

class ExchangePageTest : public MainWindowTest {
protected:
    QWidget* Control(int id) { return g_pExchangePage->findChild<QWidget*>(QString::number(id)); }
    std::string Text(const char* key) { return LookupText(kGermanSection, key); }
    std::filesystem::path File(int section) { return m_temp.Data() / ("840." + std::to_string(section - 1)); }
};

TEST_F(ExchangePageTest, StartsReadyForAnUploadOfTheTelephoneBook) {
    OpenMainWindow();
    EXPECT_TRUE(IsDlgButtonChecked(g_pExchangePage, 1063));
    EXPECT_TRUE(IsDlgButtonChecked(g_pExchangePage, 1119));
    EXPECT_EQ(GetControlText(Control(1)), Text("40"));
    for (int hidden : {1117, 1116, 1046, 1123, 1021})
        EXPECT_FALSE(Control(hidden)->isVisible()) << hidden;

    ClickButton(Control(1064));
    EXPECT_EQ(GetControlText(Control(1)), Text("41"));
    EXPECT_FALSE(Control(1022)->isEnabled());
    ClickButton(Control(1063));
    EXPECT_TRUE(Control(1022)->isEnabled());
    ClickButton(Control(1028));
    EXPECT_EQ(g_pDataPage->m_nSection, 3);
}

TEST_F(ExchangePageTest, APortThatDoesNotOpenShowsOnlyItsMessage) {
    OpenMainWindow();
    ScopedComPort port([](const std::string&) { return std::unique_ptr<SerialDevice>(); }, SystemClock());
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    QTest::keyClick(Control(1063), Qt::Key_Return); // Enter starts as the button does
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageBoxSeam::Shown()[0].message, Text("47"));
    EXPECT_FALSE(Control(1117)->isVisible());
    EXPECT_TRUE(Control(1)->isEnabled());
}

TEST_F(ExchangePageTest, CancellingThePromptHidesTheProgressAndLeavesThePortOpen) {
    OpenMainWindow();
    HandheldSimulation sim({});
    ScopedComPort port(sim.Opener(), sim.Clock());
    ClickButton(Control(1064));
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    QTest::mouseClick(Control(1), Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageBoxSeam::Shown()[0].templateId, IDD_MESSAGEBOX_LARGE);
    const std::string crlf = "\r\n";
    EXPECT_EQ(MessageBoxSeam::Shown()[0].message, Text("12") + crlf + crlf + Text("98") + " " + Text("99") + crlf +
                                                      Text("90") + crlf + crlf + Text("92") + crlf);
    EXPECT_FALSE(Control(1117)->isVisible());
    EXPECT_TRUE(CurrentComPort().IsOpen());
    EXPECT_TRUE(Control(1022)->isEnabled()) << "every control is usable after a start, DOWNLOAD or not";
}

// A download from a handheld that sends the schedule, and an upload to one
// that never answers, STOPped while the page waits for its echo.
TEST_F(ExchangePageTest, ATransferRunsToItsResultAndLeavesTheProgramUnlocked) {
    for (bool download : {true, false}) {
        SCOPED_TRACE(download ? "download" : "stopped upload");
        MessageBoxSeam::Reset();
        m_main.reset();
        OpenMainWindow();
        HandheldSimulation::Options options = OnceSending('S');
        if (!download)
            options.faults.silentFromMessage = 1;
        HandheldSimulation sim(options);
        const std::string schedule = SampleSection('S');
        sim.Handheld().SetSection('S', schedule);
        ScopedComPort port(sim.Opener(), sim.Clock());
        WriteFileBytes(File(1), SampleSection('T'));

        bool lockedDuringResult = false;
        std::string statusAtResult;
        MessageBoxSeam::SetInspector([&](QDialog&) {
            if (MessageBoxSeam::Shown().empty() && !download)
                QTimer::singleShot(0, [&] { QTest::mouseClick(Control(1046), Qt::LeftButton); });
            if (MessageBoxSeam::Shown().size() == 1) { // the result, after the prompt
                lockedDuringResult = !m_main->TabCtrl()->isEnabled();
                statusAtResult = GetControlText(Control(1123));
            }
        });
        ClickButton(Control(download ? 1064 : 1063));
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        QTest::mouseClick(Control(1), Qt::LeftButton);

        ASSERT_EQ(MessageBoxSeam::Shown().size(), 2u);
        const ShownMessageBox& result = MessageBoxSeam::Shown()[1];
        EXPECT_EQ(result.message, Text(download ? "66" : "67"));
        EXPECT_EQ(result.icon, download ? IDI_ASTERISK : IDI_HAND);
        EXPECT_TRUE(lockedDuringResult);
        EXPECT_TRUE(m_main->TabCtrl()->isEnabled());
        EXPECT_EQ(m_main->m_bCommandEnabled[CMainDlg::kExit], 1);
        EXPECT_FALSE(CurrentComPort().IsOpen());
        EXPECT_FALSE(Control(1117)->isVisible());
        EXPECT_EQ(ReadFileBytes(File(1)), SampleSection('T'));
        if (download) {
            EXPECT_EQ(statusAtResult, std::to_string(schedule.size()) + " " + Text("70"));
            EXPECT_EQ(g_pDataPage->m_nSection, 2);
            EXPECT_EQ(ReadFileBytes(File(2)), schedule);
        }
    }
}

} // namespace
